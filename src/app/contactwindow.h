#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;

// `CONTACT`: how to write to the makers and obtain a newer version.
class ContactWindow : public QWidget {
    Q_OBJECT
public:
    explicit ContactWindow(QWidget *parent = nullptr);

    static inline const QString address = QStringLiteral("contact@kalvenor.fr");
    static QUrl mailUrl();

    QLabel *E_contact = nullptr;
    QPushButton *B_message = nullptr;
    QPushButton *B_fincontact = nullptr;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
};
