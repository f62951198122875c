// The auto-optimise dialog.
#include "dialogs/auto_optimize_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "core/dialogs/dialog_values.h"
#include "core/dialogs/number_input.h"

namespace pathloom::dialogs {
namespace {

QString shown(double value) {
    return qstring(dialogNumber(value));
}

const QString kMm = QStringLiteral("mm");

}  // namespace

AutoOptimizeDialog::AutoOptimizeDialog(Prompter& prompter, QWidget* parent,
                                       const AutoOptimizeSettings& s)
    : FormDialog(prompter, parent, Dialog::tr("自动优化")), start_(s) {
    smoothing_ = addCheck("smoothing", Dialog::tr("自动曲线平滑"), s.curveSmoothing);
    precision_ =
        addNumber("precision", Dialog::tr("曲线平滑的精度："), shown(s.smoothingAccuracy), kMm);
    tiny_ = addCheck("removeTiny", Dialog::tr("自动去除极小图形"), s.removeMinimal);
    width_ = addNumber("tinyWidth", Dialog::tr("最大尺寸："), shown(s.minimalWidth), kMm);
    height_ = addNumber("tinyHeight", Dialog::tr("×"), shown(s.minimalHeight), kMm, true);
    duplicates_ = addCheck("removeDuplicates", Dialog::tr("自动去除重复线"), s.removeDuplicates);
    merge_ = addCheck("merge", Dialog::tr("自动合并相连线"), s.mergeConnected);
    distance_ = addNumber("distance", Dialog::tr("最大距离："), shown(s.mergeMaxSize), kMm);
    sort_ = addCheck("sort", Dialog::tr("自动排序"), s.sort);
    sortBy_ = new QComboBox(this);
    sortBy_->setObjectName(QStringLiteral("sortBy"));
    for (const char* entry :
         {QT_TRANSLATE_NOOP("Dialog", "网格排序"), QT_TRANSLATE_NOOP("Dialog", "局部最小空移排序"),
          QT_TRANSLATE_NOOP("Dialog", "小图优先排序"), QT_TRANSLATE_NOOP("Dialog", "从里到外排序"),
          QT_TRANSLATE_NOOP("Dialog", "从左到右排序"), QT_TRANSLATE_NOOP("Dialog", "从右到左排序"),
          QT_TRANSLATE_NOOP("Dialog", "从上到下排序"), QT_TRANSLATE_NOOP("Dialog", "从下到上排序"),
          QT_TRANSLATE_NOOP("Dialog", "最短空移排序")})
        sortBy_->addItem(Dialog::tr(entry));
    sortBy_->setCurrentIndex(s.sortBy >= kSortByGrid && s.sortBy <= kSortByShortestTravel ? s.sortBy
                                                                                          : 0);
    form()->addRow(Dialog::tr("排序方式："), sortBy_);
    reverse_ = addCheck("allowReverse", Dialog::tr("允许反向"), s.changeDirection);
    // The sort commands of the menu have a switch of their own.
    reverse_->setToolTip(
        Dialog::tr("用于导入后的自动排序；菜单中的排序命令使用“优化 > 自动排序 > "
                   "允许反向”"));
    innerFirst_ = addCheck("innerFirst", Dialog::tr("内部图形优先"), s.innerFirst);
    travel_ = addCheck("optimizeTravel", Dialog::tr("自动优化空移"), s.optimizeAbs);
    units_ = addCheck("autoUnits", Dialog::tr("自动适应输入单位"), s.autoUnits);
    plt_ = addNumber("pltUnits", Dialog::tr("PLT绘图仪："), shown(s.pltUnits));
    hatches_ = addCheck("hatchOutlines", Dialog::tr("DXF填充边界导入为轮廓"), s.hatchOutlines);
    for (QCheckBox* box : {smoothing_, tiny_, merge_, sort_, units_})
        connect(box, &QCheckBox::toggled, this, &AutoOptimizeDialog::updateEnabled);
    updateEnabled();
}

QCheckBox* AutoOptimizeDialog::addCheck(const char* objectName, const QString& label,
                                        bool checked) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setChecked(checked);
    form()->addRow(box);
    return box;
}

void AutoOptimizeDialog::updateEnabled() {
    precision_->setEnabled(smoothing_->isChecked());
    width_->setEnabled(tiny_->isChecked());
    height_->setEnabled(tiny_->isChecked());
    distance_->setEnabled(merge_->isChecked());
    sortBy_->setEnabled(sort_->isChecked());
    reverse_->setEnabled(sort_->isChecked());
    innerFirst_->setEnabled(sort_->isChecked());
    plt_->setEnabled(units_->isChecked());
}

bool AutoOptimizeDialog::check() {
    const std::optional<SettingRefusal> refusal = autoOptimizeRefusal(result());
    if (!refusal) return true;
    tell(qstring(refusal->message));
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"Smoothing accuracy", precision_},
        {"Remove minimal graphic width", width_},
        {"Remove minimal graphic height", height_},
        {"Merge connected lines Max size", distance_},
        {"Auto optimize units Plt", plt_}};
    for (const auto& [key, field] : fields) {
        if (refusal->key != key) continue;
        field->setFocus();
        field->selectAll();
    }
    return false;
}

AutoOptimizeSettings AutoOptimizeDialog::result() const {
    AutoOptimizeSettings s = start_;
    s.curveSmoothing = smoothing_->isChecked();
    s.smoothingAccuracy = number("precision");
    s.removeMinimal = tiny_->isChecked();
    s.minimalWidth = number("tinyWidth");
    s.minimalHeight = number("tinyHeight");
    s.removeDuplicates = duplicates_->isChecked();
    s.mergeConnected = merge_->isChecked();
    s.mergeMaxSize = number("distance");
    s.sort = sort_->isChecked();
    s.sortBy = sortBy_->currentIndex();
    s.changeDirection = reverse_->isChecked();
    s.innerFirst = innerFirst_->isChecked();
    s.optimizeAbs = travel_->isChecked();
    s.autoUnits = units_->isChecked();
    s.pltUnits = number("pltUnits");
    s.hatchOutlines = hatches_->isChecked();
    return correctedAutoOptimize(s);
}

}  // namespace pathloom::dialogs
