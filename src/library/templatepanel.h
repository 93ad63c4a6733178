#pragma once

#include "librarycontext.h"
#include "templatestore.h"

#include <QObject>

// The templates in the frame `F_modele`: open one into the label editor,
// save the label being composed as one, or delete one.
class TemplatePanel : public QObject {
    Q_OBJECT
public:
    explicit TemplatePanel(LibraryContext context, QObject *parent = nullptr);

    // The name kept as a blank template: choosing it clears the page.
    static inline const QString blankTemplate = QStringLiteral("Effacer modèle");

public slots:
    void listemodele();
    void okmodele();
    // A click on a name of the list.
    void L_modele_Click(const QString &name);

private:
    void ouvrir(const QString &name);
    void ajouter(const QString &name);
    void supprimer(const QString &name);
    // Reads the template whole; nullopt (the user told why) when it cannot
    // be opened.
    std::optional<TemplateRead> readWhole(const QString &name);
    // Puts a template read whole into the label editor.
    void affichmodele(const QString &name, const TemplateRead &read);
    void notSelected();
    std::optional<SheetType> usableType(const QString &name);

    // The folder is known once the program has started.
    TemplateStore store() const;

    LibraryContext m_context;
};
