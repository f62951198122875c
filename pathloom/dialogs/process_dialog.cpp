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
    int id;
    const char* group;
    const char* label;
    const char* description;  // empty when the property has none
};

// Groups and properties in the order the list shows them.
const PropertyRow kRows[] = {
    {1, QT_TRANSLATE_NOOP("Dialog", "全局"), QT_TRANSLATE_NOOP("Dialog", "X轴轴号"),
     QT_TRANSLATE_NOOP("Dialog", "X轴的轴号")},
    {2, "全局", QT_TRANSLATE_NOOP("Dialog", "Y轴轴号"), QT_TRANSLATE_NOOP("Dialog", "Y轴的轴号")},
    {3, "全局", QT_TRANSLATE_NOOP("Dialog", "空移速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的速度")},
    {4, "全局", QT_TRANSLATE_NOOP("Dialog", "空移加速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的加速度")},
    {5, "全局", QT_TRANSLATE_NOOP("Dialog", "空移减速度"),
     QT_TRANSLATE_NOOP("Dialog", "空移时使用的减速度")},
    {6, "全局", QT_TRANSLATE_NOOP("Dialog", "加工加速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的加速度")},
    {7, "全局", QT_TRANSLATE_NOOP("Dialog", "加工减速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的减速度")},
    {8, QT_TRANSLATE_NOOP("Dialog", "工艺参数-轴"), QT_TRANSLATE_NOOP("Dialog", "启用Z轴"), ""},
    {9, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "Z轴轴号"), ""},
    {10, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "加工中是否上抬"), ""},
    {11, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "加工高度"), ""},
    {12, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "上抬高度"), ""},
    {13, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "启用R轴"), ""},
    {14, "工艺参数-轴", QT_TRANSLATE_NOOP("Dialog", "R轴轴号"), ""},
    {15, QT_TRANSLATE_NOOP("Dialog", "工艺参数-运动"), QT_TRANSLATE_NOOP("Dialog", "参考精度"), ""},
    {16, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "加工速度"),
     QT_TRANSLATE_NOOP("Dialog", "加工时使用的速度")},
    {17, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "运动方式"), ""},
    {18, "工艺参数-运动", QT_TRANSLATE_NOOP("Dialog", "圆弧变为小线段"), ""},
    {19, QT_TRANSLATE_NOOP("Dialog", "工艺参数-动作"), QT_TRANSLATE_NOOP("Dialog", "加工前动作"),
     ""},
    {20, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "加工后动作"), ""},
    {25, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "启动动作"), ""},
    {26, "工艺参数-动作", QT_TRANSLATE_NOOP("Dialog", "结束动作"), ""},
    {21, QT_TRANSLATE_NOOP("Dialog", "其他"), QT_TRANSLATE_NOOP("Dialog", "显示的语言"), ""},
    {22, "其他", QT_TRANSLATE_NOOP("Dialog", "打开时自动连接"), ""},
    {23, "其他", QT_TRANSLATE_NOOP("Dialog", "IP"), ""},
    {24, "其他", QT_TRANSLATE_NOOP("Dialog", "加工文件名"), ""},
    {27, "其他", QT_TRANSLATE_NOOP("Dialog", "加工完成返回初始位置"), ""},
    {28, "其他", QT_TRANSLATE_NOOP("Dialog", "G代码输出格式"), ""},
};

// The entries of the fixed lists, in the order of their stored values.
QStringList choicesOf(int id) {
    if (id == 17) return {dtr("绝对运动"), dtr("相对运动")};
    if (id == 28) {  // the output profiles, named in the program's language
        QStringList names;
        for (const OutputProfile& profile : outputProfiles())
            names << qstring(std::string(text(profile.title)));
        return names;
    }
    return {QStringLiteral("Basic"), QStringLiteral("NC")};
}

}  // namespace

ProcessDialog::ProcessDialog(app::Prompter& prompter, QWidget* parent, ProcessEdit edit,
                             const std::vector<std::string>& presets, int axisCount)
    : FormDialog(prompter, parent, dtr("工艺参数")), edit_(std::move(edit)) {
    selector_ = new QComboBox(this);
    selector_->setObjectName(QStringLiteral("presetSelector"));
    for (const std::string& entry : presets)
        selector_->addItem(dtr("工艺") + qstring(entry).mid(2), presetNumberOfEntry(entry));
    form()->addRow(dtr("工艺选择："), selector_);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("properties"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({dtr("Property"), dtr("Value")});
    list_->setMinimumSize(520, 480);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    QTreeWidgetItem* group = nullptr;
    const char* groupName = "";
    for (const PropertyRow& row : kRows) {
        if (!group || qstrcmp(groupName, row.group) != 0) {
            group = new QTreeWidgetItem(list_, {dtr(row.group)});
            group->setExpanded(true);
            groupName = row.group;
        }
        auto* item = new QTreeWidgetItem(group, {dtr(row.label)});
        item->setData(0, Qt::UserRole, row.id);
        item->setToolTip(0, row.description[0] ? dtr(row.description) : QString());
        QWidget* editor = makeEditor(row.id, axisCount);
        editors_.insert(row.id, editor);
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
            if (row.id == id && row.description[0]) shown = dtr(row.description);
        description_->setText(shown);
    });
    connect(selector_, &QComboBox::currentIndexChanged, this, &ProcessDialog::choosePreset);
    choosePreset(selector_->currentIndex());
}

QWidget* ProcessDialog::makeEditor(int id, int axisCount) {
    const PropertyKind kind = propertyKind(id).value_or(PropertyKind::Text);
    const QString name = QStringLiteral("property%1").arg(id);
    if (kind == PropertyKind::Flag || kind == PropertyKind::Choice) {
        auto* box = new QComboBox(this);
        box->addItems(kind == PropertyKind::Flag
                          ? QStringList{QStringLiteral("True"), QStringLiteral("False")}
                          : choicesOf(id));
        box->setObjectName(name);
        connect(box, &QComboBox::currentIndexChanged, this, [this, id] { commit(id); });
        return box;
    }
    if (kind == PropertyKind::Axis) {
        // Editable: without a controller the list is empty, and the number can still be typed.
        auto* box = new QComboBox(this);
        box->setEditable(true);
        for (int axis = 0; axis < axisCount; ++axis)
            box->addItem(QString::number(axis));
        box->setObjectName(name);
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, id] { commit(id); });
        connect(box, &QComboBox::activated, this, [this, id] { commit(id); });
        return box;
    }
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    connect(field, &QLineEdit::editingFinished, this, [this, id] { commit(id); });
    return field;
}

QString ProcessDialog::shownValue(int id) const {
    const QWidget* editor = editors_.value(id);
    if (const auto* field = qobject_cast<const QLineEdit*>(editor)) return field->text();
    const auto* box = qobject_cast<const QComboBox*>(editor);
    if (box->isEditable()) return box->currentText();
    if (propertyKind(id) == PropertyKind::Flag) return box->currentText();
    return QString::number(box->currentIndex());
}

bool ProcessDialog::commit(int id) {
    if (loading_) return true;
    const std::optional<std::string> problem =
        setPropertyValue(edit_, preset_, id, utf8(shownValue(id)));
    if (!problem) return true;
    tell(qstring(*problem));
    load();
    return false;
}

bool ProcessDialog::commitAll() {
    for (const PropertyRow& row : kRows)
        if (!commit(row.id)) return false;
    return true;
}

void ProcessDialog::choosePreset(int index) {
    // The number behind the entry's text, so that the English prefix reads the same.
    preset_ = index < 0 ? 1 : selector_->itemData(index).toInt();
    load();
}

void ProcessDialog::load() {
    loading_ = true;
    for (auto it = editors_.cbegin(); it != editors_.cend(); ++it) {
        const QString value = qstring(propertyValue(edit_, preset_, it.key()));
        if (auto* field = qobject_cast<QLineEdit*>(it.value())) {
            field->setText(value);
            continue;
        }
        auto* box = qobject_cast<QComboBox*>(it.value());
        if (box->isEditable())
            box->setEditText(value);
        else if (propertyKind(it.key()) == PropertyKind::Flag)
            box->setCurrentIndex(value == QLatin1String("True") ? 0 : 1);
        else
            box->setCurrentIndex(value.toInt());
    }
    loading_ = false;
}

}  // namespace pathloom::dialogs
