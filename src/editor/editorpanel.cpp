#include "editorpanel.h"

#include "labeleditor.h"

#include "platform/choosers.h"
#include "platform/units.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus); // the editor keeps the caret
    return b;
}

} // namespace

EditorPanel::EditorPanel(QWidget *window, Choosers &choosers)
    : QObject(window)
    , m_choosers(choosers)
    , m_formatting(T_calcul)
{
    T_calcul.setUseDesignMetrics(true);
    T_etiquet = new LabelEditor(window);

    F_etiq = new QFrame(window);
    F_etiq->setObjectName(QStringLiteral("F_etiq"));
    B_police = button(F_etiq, "B_police", QStringLiteral("POLICE"));
    B_couleur = button(F_etiq, "B_couleur", QStringLiteral("COULEUR FOND"));
    B_copier = button(F_etiq, "B_copier", QStringLiteral("COPIER"));
    B_couper = button(F_etiq, "B_couper", QStringLiteral("COUPER"));
    B_coller = button(F_etiq, "B_coller", QStringLiteral("COLLER"));
    B_date = button(F_etiq, "B_date", QStringLiteral("INSERER DATE"));
    B_effac = button(F_etiq, "B_effac", QStringLiteral("EFFACER"));
    B_hautetiq = button(F_etiq, "B_hautetiq", QStringLiteral("PARTIE HAUTE IMPRIMEE DE L'ETIQUETTE"));

    auto *grid = new QGridLayout(F_etiq);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setSpacing(4);
    const QList<QPushButton *> row = {B_police, B_couleur, B_copier, B_couper, B_coller, B_date, B_effac};
    for (int c = 0; c < row.size(); ++c)
        grid->addWidget(row[c], 0, c);
    grid->addWidget(B_hautetiq, 1, 0, 1, static_cast<int>(row.size()));
    m_pictureControls = new QWidget(F_etiq);
    m_pictureControls->setObjectName(QStringLiteral("pictureControls"));
    grid->addWidget(m_pictureControls, 2, 0, 1, static_cast<int>(row.size()));

    B_copier->setEnabled(false);
    B_couper->setEnabled(false);
    B_coller->setEnabled(false);
    B_effac->setEnabled(false);

    connect(B_police, &QPushButton::clicked, this, &EditorPanel::police);
    connect(B_couleur, &QPushButton::clicked, this, &EditorPanel::couleur);
    connect(B_copier, &QPushButton::clicked, this, &EditorPanel::copier);
    connect(B_couper, &QPushButton::clicked, this, &EditorPanel::couper);
    connect(B_coller, &QPushButton::clicked, this, &EditorPanel::coller);
    connect(B_date, &QPushButton::clicked, this, [this] { insererDate(); });
    connect(B_effac, &QPushButton::clicked, this, &EditorPanel::effacerTexte);
    connect(B_hautetiq, &QPushButton::clicked, this, &EditorPanel::hautEtiquette);
    connect(T_etiquet, &QTextEdit::textChanged, this, &EditorPanel::updateButtons);
    connect(T_etiquet, &QTextEdit::selectionChanged, this, &EditorPanel::updateButtons);
    // A click in the editor empties the system clipboard.
    connect(T_etiquet, &LabelEditor::mousePressed, this, [] { QGuiApplication::clipboard()->clear(); });
}

void EditorPanel::place(const QRect &editorTwips, const QRect &frameTwips)
{
    T_etiquet->setGeometryTwips(editorTwips);
    F_etiq->setGeometry(units::twipsToPixels(frameTwips));
}

QWidget *EditorPanel::editorWidget() const
{
    return T_etiquet;
}

QTextDocument *EditorPanel::document() const
{
    return T_etiquet->document();
}

QRect EditorPanel::geometryTwips() const
{
    return T_etiquet->geometryTwips();
}

QColor EditorPanel::backgroundColor() const
{
    return T_etiquet->backgroundColor();
}

bool EditorPanel::isEmpty() const
{
    return T_etiquet->document()->isEmpty();
}

void EditorPanel::recall(const QTextDocument &text, const QColor &background)
{
    T_etiquet->clear();
    QTextCursor(T_etiquet->document()).insertFragment(QTextDocumentFragment(&text));
    T_etiquet->setBackgroundColor(background);
}

void EditorPanel::clear()
{
    T_etiquet->clear();
}

void EditorPanel::giveFocus()
{
    T_etiquet->setFocus();
}

void EditorPanel::updateButtons()
{
    B_effac->setEnabled(!T_etiquet->document()->isEmpty());
    const bool selected = T_etiquet->textCursor().hasSelection();
    B_copier->setEnabled(selected);
    B_couper->setEnabled(selected);
}

void EditorPanel::police()
{
    QTextDocument *document = T_etiquet->document();
    const auto chosen = m_choosers.chooseFont(LabelFormatting::fontAt(*document, T_etiquet->savedCaret()));
    if (!chosen)
        return;
    QTextCursor cursor(document);
    const int end = std::min(T_etiquet->savedCaret() + T_etiquet->savedSelectionLength(),
                             document->characterCount() - 1);
    cursor.setPosition(std::min(T_etiquet->savedCaret(), end));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    LabelFormatting::applyFont(cursor, *chosen);
    // With no selection, what the user types next takes the chosen font.
    QTextCursor caret(document);
    caret.setPosition(cursor.selectionStart());
    if (!cursor.hasSelection())
        LabelFormatting::applyFont(caret, *chosen);
    T_etiquet->setTextCursor(caret);
    T_etiquet->setFocus();
}

void EditorPanel::couleur()
{
    const auto chosen = m_choosers.chooseColor(T_etiquet->backgroundColor());
    if (!chosen)
        return;
    T_etiquet->setBackgroundColor(*chosen);
    focustexte();
}

void EditorPanel::copier()
{
    m_formatting.copy(T_etiquet->textCursor());
    B_coller->setEnabled(true);
}

void EditorPanel::couper()
{
    QTextCursor cursor = T_etiquet->textCursor();
    m_formatting.cut(cursor);
    T_etiquet->setTextCursor(cursor);
    B_coller->setEnabled(true);
}

void EditorPanel::coller()
{
    QTextCursor cursor = T_etiquet->textCursor();
    if (m_formatting.paste(cursor))
        T_etiquet->setTextCursor(cursor);
    T_etiquet->viewport()->unsetCursor();
}

void EditorPanel::insererDate(const QDate &date)
{
    QTextCursor cursor = T_etiquet->textCursor();
    m_formatting.insertDate(cursor, date);
    T_etiquet->setTextCursor(cursor);
}

void EditorPanel::focustexte()
{
    QTextCursor cursor = T_etiquet->textCursor();
    cursor.setPosition(0);
    T_etiquet->setTextCursor(cursor);
}

void EditorPanel::effacerTexte()
{
    T_etiquet->clear();
}

void EditorPanel::hautEtiquette()
{
    focustexte();
    T_etiquet->setFocus();
}
