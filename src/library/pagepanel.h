#pragma once

#include "librarycontext.h"

#include <QObject>
#include <QString>

// The saved pages in the frame `F_modele`: save the sheet being edited
// under a name, open a saved page in its place, or delete one.
class PagePanel : public QObject {
    Q_OBJECT
public:
    explicit PagePanel(LibraryContext context, QObject *parent = nullptr);

    QString pageDir() const;

public slots:
    void listepage();
    void okpage();

private:
    void ajoutpage(const QString &name);
    void ouvrirpage(const QString &name);
    void suppage(const QString &name);
    void refuse(const QString &title, const QString &text);
    bool listed(const QString &name);

    LibraryContext m_context;
};
