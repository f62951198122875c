// The auto-optimise dialog: which clean-up and ordering steps run after every import, with their
// values. Each value field is enabled only while its step is checked.
#pragma once

#include "core/settings/settings.h"
#include "dialogs/form_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace pathloom::dialogs {

class AutoOptimizeDialog : public FormDialog {
    Q_OBJECT
  public:
    // Check boxes "smoothing", "removeTiny", "removeDuplicates", "merge", "sort", "allowReverse",
    // "innerFirst", "optimizeTravel", "autoUnits", "hatchOutlines"; fields "precision",
    // "tinyWidth", "tinyHeight", "distance", "pltUnits"; list "sortBy".
    AutoOptimizeDialog(Prompter& prompter, QWidget* parent, const AutoOptimizeSettings& settings);
    // The values after OK, with the corrections of precision and plotter units.
    AutoOptimizeSettings result() const;

  protected:
    // Refuses a value its setting does not allow, with the words of the settings' rules.
    bool check() override;

  private:
    QCheckBox* addCheck(const char* objectName, const QString& label, bool checked);
    void updateEnabled();

    AutoOptimizeSettings start_;
    QCheckBox *smoothing_, *tiny_, *duplicates_, *merge_, *sort_, *reverse_, *travel_, *units_,
        *hatches_, *innerFirst_;
    QLineEdit *precision_, *width_, *height_, *distance_, *plt_;
    QComboBox* sortBy_;
};

}  // namespace pathloom::dialogs
