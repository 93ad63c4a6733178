#include "functionlist.h"

#include <QKeyEvent>

FunctionList::FunctionList(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("L_fonction"));
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { emit chosen(item->text()); });
}

void FunctionList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit chosen(currentItem()->text());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FunctionList::listefonction()
{
    clear();
    addItems({catalogue, selection, templates, pages, preview, printerSetup, print, calibrate});
}
