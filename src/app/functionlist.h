#pragma once

#include <QListWidget>

// `L_fonction`: the main window's functions, in place of a menu bar.
class FunctionList : public QListWidget {
    Q_OBJECT
public:
    explicit FunctionList(QWidget *parent = nullptr);

    void listefonction();

    static inline const QString catalogue = QStringLiteral("Catalogue étiquettes");
    static inline const QString selection = QStringLiteral("Sélection étiquette");
    static inline const QString templates = QStringLiteral("Modèles étiquettes");
    static inline const QString pages = QStringLiteral("Pages étiquettes");
    static inline const QString preview = QStringLiteral("Vue avant impression");
    static inline const QString printerSetup = QStringLiteral("Configurer imprimante");
    static inline const QString print = QStringLiteral("Imprimer");
    static inline const QString calibrate = QStringLiteral("Ajuster");

signals:
    // The user chose an entry (a click, or Enter on the current one).
    void chosen(const QString &entry);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
