// Name lookups of the DXF document: layers by exact name, entity linetype names.
#include "import/dxf/dxf_document.h"

namespace lintrel::dxf {

void DxfDocument::indexLayers() {
    layerLookup_.clear();
    for (size_t i = 0; i < layers.size(); ++i)
        layerLookup_.emplace(layers[i].name, Slot{static_cast<int>(i)});
}

int DxfDocument::layerIndex(std::string_view name) {
    if (const auto it = layerLookup_.find(name); it != layerLookup_.end()) return it->second.index;
    DxfLayer& layer = layers.emplace_back();
    layer.name = name;
    const int index = static_cast<int>(layers.size() - 1);
    layerLookup_.emplace(layer.name, Slot{index});
    return index;
}

int DxfDocument::nameIndex(std::string_view name) {
    if (const auto it = nameLookup_.find(name); it != nameLookup_.end()) return it->second.index;
    names.emplace_back(name);
    const int index = static_cast<int>(names.size() - 1);
    nameLookup_.emplace(names.back(), Slot{index});
    return index;
}

}  // namespace lintrel::dxf
