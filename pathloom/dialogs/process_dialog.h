// The process parameters dialog: a property list of the machine parameters, the connection and
// the preset chosen in the preset selector, edited on a copy that OK hands back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/dialogs/process_edit.h"
#include "dialogs/form_dialog.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class QWidget;

namespace pathloom::dialogs {

class ProcessDialog : public FormDialog {
    Q_OBJECT
  public:
    // `presets`: the selector's entries ("工艺n"); `axisCount`: entries of the axis lists (0 with
    // no controller). The selector is "presetSelector", each editor "property<number>", the
    // description line "description".
    ProcessDialog(Prompter& prompter, QWidget* parent, ProcessEdit edit,
                  const std::vector<std::string>& presets, int axisCount);

    const ProcessEdit& edited() const { return edit_; }
    // The preset number the selector shows.
    int preset() const { return preset_; }

    // Stores every editor's value; false (with a message) when one was refused.
    bool commitAll();

  protected:
    bool check() override { return commitAll(); }

  private:
    QWidget* makeEditor(ProcessProperty property, int axisCount);
    QString shownValue(ProcessProperty property) const;
    // Stores one editor's value; on a refusal shows why and puts the stored value back.
    bool commit(ProcessProperty property);
    void choosePreset(int index);
    void load();

    ProcessEdit edit_;
    int preset_ = 1;
    QComboBox* selector_;
    QTreeWidget* list_;
    QLabel* description_;
    std::map<ProcessProperty, QWidget*> editors_;
    bool loading_ = false;
};

}  // namespace pathloom::dialogs
