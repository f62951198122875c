// The TEXT and MTEXT parsers and their conversion. A TEXT starts at its first alignment point
// whatever its justification; an MTEXT is laid out by its attachment point.
#include "import/dxf/dxf_text.h"

#include <cctype>
#include <cmath>

#include "base/diagnostics.h"
#include "fonts/font_diagnostics.h"
#include "fonts/mtext_layout.h"
#include "fonts/text_layout.h"
#include "fonts/text_vect.h"
#include "import/dxf/dxf_groups.h"

namespace lintrel::dxf {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isUnit(double v) {
    return std::fabs(std::fabs(v) - 1) <= 1e-4;
}

void readPoint(const RawGroup& g, int base, Vec3& p) {
    if (g.code == base) p.x = parseDouble(g.value);
    if (g.code == base + 10) p.y = parseDouble(g.value);
    if (g.code == base + 20) p.z = parseDouble(g.value);
}

template <class Take>
void eachGroup(const DxfDocument& doc, const DxfRawEntity& e, Take take) {
    for (uint32_t i = 0; i < e.groupCount; ++i)
        take(doc.rawGroups[e.firstGroup + i]);
}

constexpr double kDegree = kPi / 180;

}  // namespace

TextConverter::TextConverter(const DxfDocument& doc)
    : doc_(doc),
      encoding_(fonts::TextEncoding::forDrawing(doc.header.version, doc.header.codePage)) {
    for (const DxfStyle& s : doc.styles)
        styles_.emplace(upper(s.name), &s);
}

std::string TextConverter::decoded(std::string_view raw) {
    return fonts::expandEscapes(fonts::decodeText(raw, encoding_, undecodable_), undecodable_);
}

const DxfStyle* TextConverter::style(const std::string& name) {
    const auto it = styles_.find(upper(name));
    if (it != styles_.end()) return it->second;
    ++missingStyles_;
    return nullptr;
}

bool TextConverter::mirrored(const DxfEntity& e) const {
    const Vec3& n = doc_.header.ucsNormal;
    const Vec3& x = e.extrusion;
    return (isUnit(x.y) && std::fabs(x.y + n.y) <= 1e-4) ||
           (isUnit(x.x) && std::fabs(x.x + n.x) <= 1e-4) ||
           (isUnit(x.z) && std::fabs(x.z + n.z) <= 1e-4);
}

DxfText TextConverter::parseText(const DxfRawEntity& e) {
    DxfText t;
    std::string raw;
    eachGroup(doc_, e, [&](const RawGroup& g) {
        readPoint(g, 10, t.first);
        readPoint(g, 11, t.second);
        switch (g.code) {
            case 1:
                raw = g.value;
                break;
            case 7:
                t.style = g.value;
                break;
            case 40:
                t.height = parseDouble(g.value);
                break;
            case 41:
                t.xScale = parseDouble(g.value);
                break;
            case 50:
                t.rotation = parseDouble(g.value);
                break;
            case 51:
                t.oblique = parseDouble(g.value);
                break;
            case 71:
                t.generation = parseInt(g.value);
                break;
            case 72:
                t.hJustify = parseInt(g.value);
                break;
            case 73:
                t.vJustify = parseInt(g.value);
                break;
            default:
                break;
        }
    });
    t.text = fonts::replaceSpecialCodes(decoded(raw));
    return t;
}

DxfMText TextConverter::parseMText(const DxfRawEntity& e) {
    DxfMText m;
    std::string chunks, last;
    eachGroup(doc_, e, [&](const RawGroup& g) {
        readPoint(g, 10, m.at);
        readPoint(g, 11, m.direction);
        switch (g.code) {
            case 3:
                chunks += g.value;
                break;
            case 1:
                last = g.value;
                break;
            case 7:
                m.style = g.value;
                break;
            case 40:
                m.height = parseDouble(g.value);
                break;
            case 41:
                m.width = parseDouble(g.value);
                break;
            case 50:
                m.rotation = parseDouble(g.value);
                break;
            case 71:
                m.attachment = parseInt(g.value);
                break;
            default:
                break;
        }
    });
    m.text = fonts::replaceSpecialCodes(decoded(chunks + last));
    return m;
}

Vect* TextConverter::convertText(const DxfRawEntity& e) {
    const DxfText t = parseText(e);
    const DxfStyle* s = style(t.style);
    const std::string fontFile = s ? s->font : "ARIAL";
    double height = t.height;
    if (!(height > 0) && s) height = s->lastHeight;
    const fonts::TextFont font = fonts::chooseFont(fontFile, s ? s->bigFont : "", cache_);
    fonts::LaidText laid = fonts::layoutText(t.text, font, {height, t.xScale, 1}, cache_);
    fonts::Placement at;
    at.mirrored = mirrored(e);
    at.x = at.mirrored ? -t.first.x : t.first.x;  // the insertion point out of the text's plane
    at.y = t.first.y;
    at.rotation = t.rotation * kDegree;
    at.oblique = t.oblique * kDegree;
    at.generation = t.generation;
    fonts::placeOutlines(laid.segs.get(), at.x, at.y, at);
    fonts::TextFields fields;
    fields.text = t.text;
    fields.fontName = s ? fonts::recordedFontName(s->font) : "arial.ttf";
    fields.rotation = at.rotation;
    fields.oblique = at.oblique;
    fields.widthFactor = t.xScale;
    return fonts::textVect(std::move(laid.segs), fields, at.x, at.y);
}

void TextConverter::convertMText(const DxfRawEntity& e, std::vector<Vect*>& out) {
    const DxfMText m = parseMText(e);
    const DxfStyle* s = style(m.style);
    fonts::MTextBlock block;
    block.mirrored = mirrored(e);
    block.x = block.mirrored ? -m.at.x : m.at.x;
    block.y = m.at.y;
    block.height = m.height > 0 ? m.height : s ? s->lastHeight : 2.5;
    block.attachment = m.attachment;
    block.width = m.width;
    const bool directed = m.direction.x != 0 || m.direction.y != 0;
    block.rotation = directed ? std::atan2(m.direction.y, m.direction.x) : m.rotation * kDegree;
    block.fontFile = s ? s->font : "ARIAL";
    block.bigFontFile = s ? s->bigFont : "";
    fonts::layoutMText(fonts::splitMText(m.text, block.height), block, cache_, out);
}

void TextConverter::convertLayer(const DxfEntities& entities, int layer,
                                 const std::function<void(int, Vect*)>& add) {
    const auto& texts = entities.rawOf(Kind::Text);
    const auto& mtexts = entities.rawOf(Kind::MText);
    if (texts.empty() && mtexts.empty()) return;
    auto [it, fresh] = buckets_.try_emplace(&entities);
    auto& buckets = it->second;
    if (fresh) {
        // Bucket 2k holds the TEXT entities of layer k, bucket 2k + 1 its MTEXT entities.
        buckets.resize(2 * doc_.layers.size());
        for (uint32_t i = 0; i < texts.size(); ++i)
            if (texts[i].layer >= 0 && size_t(texts[i].layer) < doc_.layers.size())
                buckets[2 * size_t(texts[i].layer)].push_back(i);
        for (uint32_t i = 0; i < mtexts.size(); ++i)
            if (mtexts[i].layer >= 0 && size_t(mtexts[i].layer) < doc_.layers.size())
                buckets[2 * size_t(mtexts[i].layer) + 1].push_back(i);
    }
    if (layer < 0 || 2 * size_t(layer) >= buckets.size()) return;
    for (uint32_t i : buckets[2 * size_t(layer)])
        add(texts[i].colour, convertText(texts[i]));
    for (uint32_t i : buckets[2 * size_t(layer) + 1]) {
        scratch_.clear();
        convertMText(mtexts[i], scratch_);
        for (Vect* v : scratch_)
            add(mtexts[i].colour, v);
    }
}

void TextConverter::convertAll(const DxfEntities& entities,
                               const std::function<void(int, Vect*)>& add) {
    for (const DxfRawEntity& t : entities.rawOf(Kind::Text))
        add(t.colour, convertText(t));
    for (const DxfRawEntity& m : entities.rawOf(Kind::MText)) {
        scratch_.clear();
        convertMText(m, scratch_);
        for (Vect* v : scratch_)
            add(m.colour, v);
    }
}

void TextConverter::finish(ImportDiagnostics& d) {
    cache_.reportDiagnostics(d);
    if (missingStyles_ > 0)
        d.note(diag::kStyleMissing, "texts name styles the style table lacks", missingStyles_);
    if (undecodable_ > 0)
        d.note(diag::kTextUndecodable, "text bytes the drawing's code page does not define",
               undecodable_);
}

}  // namespace lintrel::dxf
