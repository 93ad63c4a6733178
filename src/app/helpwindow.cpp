#include "helpwindow.h"

#include "windowplacement.h"

#include "platform/richtext/rtfreader.h"

#include <QLabel>
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

    E_tronque = new QLabel(
        QStringLiteral("Le fichier d'aide etiquet.rtf est trop long : seul son début est affiché."), this);
    E_tronque->setObjectName(QStringLiteral("E_tronque"));
    E_tronque->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(E_tronque);
    layout->addWidget(T_aide);
    layout->addWidget(B_fin, 0, Qt::AlignRight);

    const QString path = programDir + QStringLiteral("/etiquet.rtf");
    const richtext::RtfReadResult read = richtext::loadRtfFile(path, T_aide->document());
    if (!read.ok && T_aide->document()->isEmpty())
        T_aide->setPlainText(QStringLiteral("Le fichier d'aide etiquet.rtf est introuvable ou illisible."));
    E_tronque->setVisible(read.truncated);
    // The editor's caret followed the text as it was read in: put it back at
    // the title, or the window opens scrolled to the end.
    T_aide->moveCursor(QTextCursor::Start);
    centreOnScreen(*this);
}
