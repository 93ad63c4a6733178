#pragma once

#include "startedwindow.h"

#include "app/functionlist.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetview.h"
#include "storage/pagetable.h"

#include <QLineEdit>
#include <QListWidget>

// The titles of the message boxes shown, in order.
inline QStringList titles(const ScriptedDialogs &dialogs)
{
    QStringList shown;
    for (const ScriptedDialogs::Shown &message : dialogs.shown)
        shown << message.title;
    return shown;
}

// A started main window on screen, clicked and typed into as a user does.
struct UserWindow : StartedWindow {
    explicit UserWindow(const QString &type = QStringLiteral("3x8")) : StartedWindow(type)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // Pressed with the mouse: a disabled button does nothing.
    void click(const char *button) const { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void click(int cell, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::mouseClick(window->I_page, button, mods, window->I_page->cellRect(cell).center());
    }
    void type(const QString &text) const { labelEditor().setPlainText(text); }
    void write(int cell, const QString &text) const { type(text); click(cell); }
    QString text() const { return labelEditor().toPlainText(); }
    void count(const QString &n) const { window->T_nombre->selectAll(); QTest::keyClicks(window->T_nombre, n); }
    void choose(QListWidget *list, const QString &entry) const
    {
        const QList<QListWidgetItem *> items = list->findItems(entry, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(entry));
        list->scrollToItem(items[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    void function(const QString &entry) const { choose(window->L_fonction, entry); }
    QColor color(int cell) const { return window->I_page->cellColor(cell); }
    int rows() const { return pagetable::count(window->workingDatabase()); }
    bool consistent() const { return window->sheet().consistent(); }
    // A plain picture in the label, as opened from a file.
    bool openPicture(QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(30, 90, 200));
        return window->picture->ouvimage(Picture::fromImage(image));
    }
};
