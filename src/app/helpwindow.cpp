#include "helpwindow.h"

#include "platform/richtext/rtfreader.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &programDir, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Feuille4"));
    setWindowTitle(QStringLiteral("AIDE"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 560);

    T_aide = new QTextEdit(this);
    T_aide->setObjectName(QStringLiteral("T_aide"));
    T_aide->setReadOnly(true);
    B_fin = new QPushButton(QStringLiteral("FIN"), this);
    B_fin->setObjectName(QStringLiteral("B_fin"));
    connect(B_fin, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(T_aide);
    layout->addWidget(B_fin, 0, Qt::AlignRight);

    const QString path = programDir + QStringLiteral("/etiquet.rtf");
    const richtext::RtfReadResult read = richtext::loadRtfFile(path, T_aide->document());
    if (!read.ok && T_aide->document()->isEmpty())
        T_aide->setPlainText(QStringLiteral("Le fichier d'aide etiquet.rtf est introuvable ou illisible."));
}
