#include "contactwindow.h"

#include "windowplacement.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

ContactWindow::ContactWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CONTACT"));
    setWindowTitle(QStringLiteral("CONTACT"));
    setAttribute(Qt::WA_DeleteOnClose);

    E_contact = new QLabel(this);
    E_contact->setObjectName(QStringLiteral("E_contact"));
    E_contact->setWordWrap(true);
    E_contact->setText(QStringLiteral(
        "Pour signaler un problème, proposer une amélioration ou demander la dernière version de "
        "KALVENOR, écrivez-nous à %1.\n\n"
        "Le bouton ÉCRIRE ouvre un message dans votre messagerie. Indiquez la version que vous "
        "utilisez et votre système ; la nouvelle version vous sera envoyée en réponse, avec ses "
        "instructions d'installation. Vos modèles et vos pages, rangés dans le dossier etiqperso, "
        "sont conservés lors d'une mise à jour.")
                           .arg(address));
    B_message = new QPushButton(QStringLiteral("ÉCRIRE"), this);
    B_message->setObjectName(QStringLiteral("B_message"));
    B_fincontact = new QPushButton(QStringLiteral("QUITTER"), this);
    B_fincontact->setObjectName(QStringLiteral("B_fincontact"));
    connect(B_message, &QPushButton::clicked, this, [] { QDesktopServices::openUrl(mailUrl()); });
    connect(B_fincontact, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(B_message);
    buttons->addWidget(B_fincontact);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(E_contact);
    layout->addLayout(buttons);
    layout->activate(); // the size placed is the size shown
    resize(460, 220);
    centreOnScreen(*this);
}

QUrl ContactWindow::mailUrl()
{
    QUrl url(QStringLiteral("mailto:") + address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("KALVENOR %1").arg(QStringLiteral(PROJECT_VERSION)));
    url.setQuery(query);
    return url;
}

void ContactWindow::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}
