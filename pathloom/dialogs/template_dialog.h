// The template dialog: the header and footer lines of each G-code output profile, with the list
// of placeholders they may hold and the profile's defaults one click away.
#pragma once

#include "core/presets/process.h"
#include "dialogs/form_dialog.h"

class QComboBox;
class QPlainTextEdit;

namespace pathloom::dialogs {

class TemplateDialog : public FormDialog {
    Q_OBJECT
  public:
    // List "profile" (opened at the machine's output profile), texts "header" and "footer" of
    // the profile shown, list "placeholders", button "restoreDefault".
    TemplateDialog(Prompter& prompter, QWidget* parent, const MachineParameters& machine);
    // Every profile's templates after OK, line breaks as CR LF.
    const ProfileTexts& headers() const { return headers_; }
    const ProfileTexts& footers() const { return footers_; }

  protected:
    // Refuses a template the settings file would not give back as typed, showing its profile.
    bool check() override;

  private:
    void keepShown();
    void showProfile(int index);
    void restoreDefault();

    ProfileTexts headers_, footers_;
    int shown_ = 0;
    QComboBox* profile_;
    QPlainTextEdit *header_, *footer_;
};

}  // namespace pathloom::dialogs
