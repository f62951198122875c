// The connect dialog.
#include "dialogs/connect_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/controller/controller_session.h"

namespace pathloom::dialogs {

ConnectDialog::ConnectDialog(const ControllerSession& session, QWidget* parent)
    : QDialog(parent), session_(session), addresses_(new QComboBox(this)) {
    setWindowTitle(QCoreApplication::translate("ConnectDialog", "连接控制器"));
    addresses_->setObjectName(QStringLiteral("addresses"));
    addresses_->setEditable(true);
    addresses_->addItem(QStringLiteral("127.0.0.1"));
    addresses_->setCurrentIndex(0);
    addresses_->setMinimumContentsLength(24);

    auto* searchButton =
        new QPushButton(QCoreApplication::translate("ConnectDialog", "搜索"), this);
    searchButton->setObjectName(QStringLiteral("search"));
    connect(searchButton, &QPushButton::clicked, this, &ConnectDialog::search);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QCoreApplication::translate("ConnectDialog", "控制器地址"), this));
    row->addWidget(addresses_, 1);
    row->addWidget(searchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString ConnectDialog::address() const {
    return addresses_->currentText().trimmed();
}

void ConnectDialog::search() {
    // A typed address (with its port) is asked too, and stays chosen whether or not it answered.
    const QString typed = address();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::string> entries = session_.search(typed.toStdString());
    QGuiApplication::restoreOverrideCursor();
    addresses_->clear();
    for (const std::string& entry : entries)
        addresses_->addItem(QString::fromStdString(entry));
    const int at = typed.isEmpty() ? 0 : addresses_->findText(typed);
    if (at >= 0)
        addresses_->setCurrentIndex(at);
    else
        addresses_->setEditText(typed);
}

}  // namespace pathloom::dialogs
