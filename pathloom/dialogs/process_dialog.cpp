// The process parameters dialog: the property table, its editors and the preset selector.
#include "dialogs/process_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "core/codegen/output_profile.h"
#include "core/presets/apply.h"

namespace pathloom::dialogs {
namespace {

struct PropertyRow {
    ProcessProperty property;
    const char* group;
    const char* label;
    const char* description;  // empty when the property has none
};

using P = ProcessProperty;

// Groups and properties in the order the list shows them.
const PropertyRow kRows[] = {
    {P::XAxis, QT_TRANSLATE_NOOP("Dialog", "全局"), QT_TRANSLATE_NOOP("Dialog", "X轴轴号"),
     QT_TRANSLATE_NOOP("Dialog", "X轴的轴号")},
    {P::YAxis, "全局", QT_TRANSLATE_NOOP("Dialog", "Y轴轴号"),
     QT_TRANSLATE_NOOP("Dialog", "Y轴的轴号")},
    {P::TravelSpeed, "全局", QT_TRANSLATE_NOOP("Dialog", "空移速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的速度")},
    {P::TravelAcceleration, "全局", QT_TRANSLATE_NOOP("Dialog", "空移加速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的加速度")},
    {P::TravelDeceleration, "全局", QT_TRANSLATE_NOOP("Dialog", "空移减速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的减速度")},
    {P::WorkAcceleration, "全局", QT_TRANSLATE_NOOP("Dialog", "加工加速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的加速度")},
    {P::WorkDeceleration, "全局", QT_TRANSLATE_NOOP("Dialog", "加工减速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的减速度")},
    {P::UseZ, QT_TRANSLATE_NOOP("Dialog", "工艺参数-轴"), QT_TRANSLATE_NOOP("Dialog", "启用Z轴"),
     ""},
    {P::ZAxis, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "Z轴轴号"), ""},
    {P::LiftWhileWorking, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "加工中是否上抬"), ""},
    {P::WorkHeight, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "加工高度"), ""},
    {P::LiftHeight, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "上抬高度"), ""},
    {P::UseR, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "启用R轴"), ""},
    {P::RAxis, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "R轴轴号"), ""},
    {P::ReferencePrecision, QT_TRANSLATE_NOOP("Dialog", "工艺参数-运动"),
     QT_TRANSLATE_NOOP("Dialog", "参考精度"), ""},
    {P::WorkSpeed, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "加工速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的速度")},
    {P::MoveType, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "运动方式"), ""},
    {P::ArcsToSegments, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "圆弧变为小线段"), ""},
    {P::ActionBefore, QT_TRANSLATE_NOOP("Dialog", "工艺参数-动作"),
     QT_TRANSLATE_NOOP("Dialog", "加工前动作"), ""},
    {P::ActionAfter, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "加工后动作"), ""},
    {P::StartAction, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "启动动作"), ""},
    {P::EndAction, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "结束动作"), ""},
    {P::LaserPower, QT_TRANSLATE_NOOP("Dialog", "工艺参数-切割"),
     QT_TRANSLATE_NOOP("Dialog", "激光功率（%）"),
     QT_TRANSLATE_NOOP("Dialog", "G 代码输出格式 S 最大值的百分比")},
    {P::PierceDelay, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "穿孔延时（s）"),
     QT_TRANSLATE_NOOP("Dialog", "每次开始切割前的等待时间")},
    {P::KerfWidth, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "割缝宽度（mm）"),
     QT_TRANSLATE_NOOP("Dialog", "切割路径偏离图形割缝宽度的一半")},
    {P::KerfSide, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "割缝补偿"), ""},
    {P::KerfCorners, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "偏移拐角"), ""},
    {P::MitreLimit, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "尖角限度（× 半割缝）"), ""},
    {P::LeadType, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "引线类型"),
     QT_TRANSLATE_NOOP("Dialog", "引入线和引出线位于废料一侧")},
    {P::LeadLength, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "引线长度（mm）"),
     QT_TRANSLATE_NOOP("Dialog", "直线的长度或圆弧的半径")},
    {P::LeadAngle, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "引线角度（°）"),
     QT_TRANSLATE_NOOP("Dialog", "直线与路径的夹角或圆弧的圆心角")},
    {P::Overcut, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "过切长度（mm）"), ""},
    {P::StartPoint, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "起点"), ""},
    {P::CutDirection, "工艺参数-切割", QT_TRANSLATE_NOOP("Dialog", "切割方向"), ""},
    {P::CodeType, QT_TRANSLATE_NOOP("Dialog", "其他"), QT_TRANSLATE_NOOP("Dialog", "显示的语言"),
     ""},
    {P::AutoConnect, "其他", QT_TRANSLATE_NOOP("Dialog", "打开时自动连接"), ""},
    {P::AutoConnectAddress, "其他", QT_TRANSLATE_NOOP("Dialog", "IP"), ""},
    {P::ProcessFileName, "其他", QT_TRANSLATE_NOOP("Dialog", "加工文件名"), ""},
    {P::ReturnToStart, "其他", QT_TRANSLATE_NOOP("Dialog", "加工完成返回初始位置"), ""},
    {P::OutputProfile, "其他", QT_TRANSLATE_NOOP("Dialog", "G代码输出格式"), ""},
};

// The entries of the fixed lists, in the order of their stored values.
QStringList choicesOf(ProcessProperty property) {
    if (property == P::MoveType) return {Dialog::tr("绝对运动"), Dialog::tr("相对运动")};
    if (property == P::KerfSide)
        return {Dialog::tr("不补偿"), Dialog::tr("按嵌套层次"), Dialog::tr("向外"),
                Dialog::tr("向内")};
    if (property == P::KerfCorners) return {Dialog::tr("圆角"), Dialog::tr("尖角")};
    if (property == P::LeadType) return {Dialog::tr("无"), Dialog::tr("直线"), Dialog::tr("圆弧")};
    if (property == P::StartPoint)
        return {Dialog::tr("按图形"), Dialog::tr("离上一终点最近"), Dialog::tr("最尖的拐角")};
    if (property == P::CutDirection)
        return {Dialog::tr("按图形"), Dialog::tr("外轮廓顺时针、孔逆时针"),
                Dialog::tr("外轮廓逆时针、孔顺时针")};
    if (property == P::OutputProfile) {  // the output profiles, named in the program's language
        QStringList names;
        for (const OutputProfile& profile : outputProfiles())
            names << qstring(std::string(text(profile.title)));
        return names;
    }
    return {QStringLiteral("Basic"), QStringLiteral("NC")};
}

// A column's name, with the words of the program's language before it when they differ.
QString besideName(const QString& words, const char* name) {
    const QString named = QString::fromLatin1(name);
    return words == named ? named : QStringLiteral("%1（%2）").arg(words, named);
}

}  // namespace

ProcessDialog::ProcessDialog(Prompter& prompter, QWidget* parent, ProcessEdit edit,
                             const std::vector<std::string>& presets, int axisCount)
    : FormDialog(prompter, parent, Dialog::tr("工艺参数")), edit_(std::move(edit)) {
    selector_ = new QComboBox(this);
    selector_->setObjectName(QStringLiteral("presetSelector"));
    for (const std::string& entry : presets)
        selector_->addItem(Dialog::tr("工艺") + qstring(entry).mid(2), presetNumberOfEntry(entry));
    form()->addRow(Dialog::tr("工艺选择："), selector_);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("properties"));
    list_->setColumnCount(2);
    // The columns keep their names and say them in the program's language beside them.
    list_->setHeaderLabels(
        {besideName(Dialog::tr("属性"), "Property"), besideName(Dialog::tr("值"), "Value")});
    list_->setMinimumSize(520, 480);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    QTreeWidgetItem* group = nullptr;
    const char* groupName = "";
    for (const PropertyRow& row : kRows) {
        if (!group || qstrcmp(groupName, row.group) != 0) {
            group = new QTreeWidgetItem(list_, {Dialog::tr(row.group)});
            group->setExpanded(true);
            groupName = row.group;
        }
        const QString unit = qstring(propertyUnit(edit_, row.property));
        auto* item = new QTreeWidgetItem(
            group, {unit.isEmpty() ? Dialog::tr(row.label)
                                   : QStringLiteral("%1 (%2)").arg(Dialog::tr(row.label), unit)});
        item->setData(0, Qt::UserRole, static_cast<int>(row.property));
        item->setToolTip(0, row.description[0] ? Dialog::tr(row.description) : QString());
        QWidget* editor = makeEditor(row.property, axisCount);
        editors_.emplace(row.property, editor);
        list_->setItemWidget(item, 1, editor);
    }
    body()->insertWidget(1, list_);
    description_ = new QLabel(this);
    description_->setObjectName(QStringLiteral("description"));
    body()->insertWidget(2, description_);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        const int id = item ? item->data(0, Qt::UserRole).toInt() : 0;
        QString shown;
        for (const PropertyRow& row : kRows)
            if (static_cast<int>(row.property) == id && row.description[0])
                shown = Dialog::tr(row.description);
        description_->setText(shown);
    });
    connect(selector_, &QComboBox::currentIndexChanged, this, &ProcessDialog::choosePreset);
    choosePreset(selector_->currentIndex());
}

QWidget* ProcessDialog::makeEditor(ProcessProperty property, int axisCount) {
    const PropertyKind kind = propertyKind(property).value_or(PropertyKind::Text);
    const QString name = QStringLiteral("property%1").arg(static_cast<int>(property));
    if (kind == PropertyKind::Flag || kind == PropertyKind::Choice) {
        auto* box = new QComboBox(this);
        box->addItems(kind == PropertyKind::Flag
                          ? QStringList{QStringLiteral("True"), QStringLiteral("False")}
                          : choicesOf(property));
        box->setObjectName(name);
        connect(box, &QComboBox::currentIndexChanged, this, [this, property] { commit(property); });
        return box;
    }
    if (kind == PropertyKind::Axis) {
        // Editable: without a controller the list is empty, and the number can still be typed.
        auto* box = new QComboBox(this);
        box->setEditable(true);
        for (int axis = 0; axis < axisCount; ++axis)
            box->addItem(QString::number(axis));
        box->setObjectName(name);
        connect(box->lineEdit(), &QLineEdit::editingFinished, this,
                [this, property] { commit(property); });
        connect(box, &QComboBox::activated, this, [this, property] { commit(property); });
        return box;
    }
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    connect(field, &QLineEdit::editingFinished, this, [this, property] { commit(property); });
    return field;
}

QString ProcessDialog::shownValue(ProcessProperty property) const {
    const QWidget* editor = editors_.at(property);
    if (const auto* field = qobject_cast<const QLineEdit*>(editor)) return field->text();
    const auto* box = qobject_cast<const QComboBox*>(editor);
    if (box->isEditable()) return box->currentText();
    if (propertyKind(property) == PropertyKind::Flag) return box->currentText();
    return QString::number(box->currentIndex());
}

bool ProcessDialog::commit(ProcessProperty property) {
    if (loading_) return true;
    const std::optional<std::string> problem =
        setPropertyValue(edit_, preset_, property, utf8(shownValue(property)));
    if (!problem) return true;
    tell(qstring(*problem));
    load();
    return false;
}

bool ProcessDialog::commitAll() {
    for (const PropertyRow& row : kRows)
        if (!commit(row.property)) return false;
    return true;
}

void ProcessDialog::choosePreset(int index) {
    // The number behind the entry's text, so that the English prefix reads the same.
    preset_ = index < 0 ? 1 : selector_->itemData(index).toInt();
    load();
}

void ProcessDialog::load() {
    loading_ = true;
    for (const auto& [property, editor] : editors_) {
        const QString value = qstring(propertyValue(edit_, preset_, property));
        if (auto* field = qobject_cast<QLineEdit*>(editor)) {
            field->setText(value);
            continue;
        }
        auto* box = qobject_cast<QComboBox*>(editor);
        if (box->isEditable())
            box->setEditText(value);
        else if (propertyKind(property) == PropertyKind::Flag)
            box->setCurrentIndex(value == QLatin1String("True") ? 0 : 1);
        else
            box->setCurrentIndex(value.toInt());
    }
    loading_ = false;
}

}  // namespace pathloom::dialogs
