// The connect dialog: an editable list of controller addresses, a search button, OK and Cancel.
#pragma once

#include <QDialog>

class QComboBox;

namespace pathloom {
class ControllerSession;
}

namespace pathloom::dialogs {

class ConnectDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ConnectDialog(const ControllerSession& session, QWidget* parent = nullptr);
    // The text of the list's edit field, chosen or typed.
    QString address() const;
    // Fills the list from a search: loopback, the PCI cards, the addresses found.
    void search();

  private:
    const ControllerSession& session_;
    QComboBox* addresses_;
};

}  // namespace pathloom::dialogs
