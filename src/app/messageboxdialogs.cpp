#include "messageboxdialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::None: return QMessageBox::NoIcon;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Critical:
    case Dialogs::Icon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer MessageBoxDialogs::message(const QString &title, const QString &text, Icon icon,
                                           Buttons buttons)
{
    QWidget *parent = m_parent && m_parent->isVisible() ? m_parent : nullptr;
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = nullptr;
    QPushButton *yes = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole));
        box.setDefaultButton(ok);
        break;
    case Buttons::YesNo:
        yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        box.setEscapeButton(box.addButton(QStringLiteral("Non"), QMessageBox::NoRole));
        box.setDefaultButton(yes);
        break;
    }
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return clicked == ok ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo: return clicked == yes ? Answer::Yes : Answer::No;
    }
    return Answer::Ok;
}

void MessageBoxDialogs::beep()
{
    QApplication::beep();
}
