#include "cataloguewindow.h"

#include "listfilter.h"

#include "fieldfilterbinding.h"
#include "samplepage.h"
#include "sampleview.h"

#include "platform/units.h"
#include "storage/appstate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(units::twipsToPixelsRounded(left), units::twipsToPixelsRounded(top),
                 units::twipsToPixelsRounded(width), units::twipsToPixelsRounded(height));
}

template <typename Control>
Control *named(Control *control, const QString &name)
{
    control->setObjectName(name);
    return control;
}

const QString symbolNotice = QStringLiteral("Le symbole décimal utilisé doit etre le point ou la virgule.\n"
                                            "Un bip sonore indique qu'une erreur de saisie na pas été prise en compte");

constexpr const char16_t *dimensionCaptions[] = {u"Marge gauche", u"Marge droite",      u"Marge haut",
                                                 u"Marge bas",    u"Largeur étiquette", u"Hauteur étiquette"};

} // namespace

CatalogueWindow::CatalogueWindow(const AppState &state, Database &working, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_catalogue(working, dialogs)
{
    setObjectName(QStringLiteral("Feuille3"));
    setWindowTitle(QStringLiteral("CATALOGUE ETIQUETTES"));
    setFixedSize(units::twipsToPixels(designWidth), units::twipsToPixels(designHeight));
    buildControls();
}

CatalogueWindow::~CatalogueWindow() = default;

void CatalogueWindow::buildControls()
{
    E_page = named(new QLabel(QStringLiteral("Pages d'étiquettes"), this), QStringLiteral("E_page"));
    E_page->setGeometry(twipsRect(240, 120, 3000, 255));

    L_etiq = named(new QComboBox(this), QStringLiteral("L_etiq"));
    L_etiq->setEditable(true);
    // Names are exact: no completion that could change a typed name's case,
    // and Enter must not add the typed name to the list.
    L_etiq->setCompleter(nullptr);
    L_etiq->setInsertPolicy(QComboBox::NoInsert);
    L_etiq->setGeometry(twipsRect(240, 420, 3000, 315));
    connect(L_etiq, &QComboBox::activated, this, &CatalogueWindow::L_etiq_Click);
    // Found as you type among hundreds of makers' sheets.
    T_cherche = named(new QLineEdit(this), QStringLiteral("T_cherche"));
    T_cherche->setGeometry(twipsRect(240, 780, 3000, 315));
    m_search = new ListFilter(T_cherche, qobject_cast<QListView *>(L_etiq->view()), this);
    connect(m_search, &ListFilter::chosen, this, [this](int row) {
        L_etiq->setCurrentIndex(row);
        L_etiq_Click();
    });

    F_fonction = named(new QGroupBox(QStringLiteral("Fonction"), this), QStringLiteral("F_fonction"));
    F_fonction->setGeometry(twipsRect(3480, 60, 1800, 1260));
    O_ajout = named(new QRadioButton(QStringLiteral("Ajouter"), F_fonction), QStringLiteral("O_ajout"));
    O_modif = named(new QRadioButton(QStringLiteral("Modifier"), F_fonction), QStringLiteral("O_modif"));
    O_sup = named(new QRadioButton(QStringLiteral("Supprimer"), F_fonction), QStringLiteral("O_sup"));
    O_ajout->setGeometry(twipsRect(120, 270, 1560, 285));
    O_modif->setGeometry(twipsRect(120, 585, 1560, 285));
    O_sup->setGeometry(twipsRect(120, 900, 1560, 285));
    connect(O_modif, &QRadioButton::clicked, this, &CatalogueWindow::O_modif_Click);

    auto *heading = named(new QLabel(QStringLiteral("Dimensions en mm"), this), QStringLiteral("E_dimensions"));
    heading->setGeometry(twipsRect(240, 1500, 3000, 255));

    m_filters = new FieldFilterBinding(m_dialogs, this);
    auto addField = [this](const QString &caption, const QString &name, int top) {
        auto *label = new QLabel(caption, this);
        label->setGeometry(twipsRect(240, top + 30, 2040, 285));
        auto *field = named(new QLineEdit(this), name);
        field->setGeometry(twipsRect(2400, top, 1080, 315));
        // A drop would bypass the key filters.
        field->setAcceptDrops(false);
        return field;
    };
    for (int i = 0; i < 6; ++i) {
        T_dim[i] = addField(QString::fromUtf16(dimensionCaptions[i]), QStringLiteral("T_dim(%1)").arg(i),
                            1830 + i * 420);
        m_filters->addDimensionField(T_dim[i]);
    }
    T_rangees = addField(QStringLiteral("Rangées"), QStringLiteral("T_rangees"), 4470);
    T_colonnes = addField(QStringLiteral("Colonnes"), QStringLiteral("T_colonnes"), 4890);
    m_filters->addCountField(T_rangees);
    m_filters->addCountField(T_colonnes);

    E_symbole = named(new QLabel(this), QStringLiteral("E_symbole"));
    E_symbole->setWordWrap(true);
    E_symbole->setGeometry(twipsRect(240, 5460, 5040, 900));

    auto addButton = [this](const QString &caption, const QString &name, int left) {
        auto *button = named(new QPushButton(caption, this), name);
        button->setGeometry(twipsRect(left, 6720, 1200, 420));
        return button;
    };
    B_ok = addButton(QStringLiteral("OK"), QStringLiteral("B_ok"), 240);
    B_annul = addButton(QStringLiteral("ANNULER"), QStringLiteral("B_annul"), 1500);
    B_doc = addButton(QStringLiteral("AIDE"), QStringLiteral("B_doc"), 2760);
    B_finpagetiq = addButton(QStringLiteral("QUITTER"), QStringLiteral("B_finpagetiq"), 4020);
    B_annul->setEnabled(false);
    connect(B_ok, &QPushButton::clicked, this, &CatalogueWindow::B_ok_Click);
    connect(B_annul, &QPushButton::clicked, this, &CatalogueWindow::B_annul_Click);
    connect(B_doc, &QPushButton::clicked, this, &CatalogueWindow::B_doc_Click);
    connect(B_finpagetiq, &QPushButton::clicked, this, &CatalogueWindow::B_finpagetiq_Click);

    I_page = new SampleView(this);
    I_page->setGeometry(twipsRect(SheetSample::pictureLeft, SheetSample::pictureTop, SheetSample::pictureWidth(),
                                  SheetSample::pictureHeight));
    E_etiq = named(new QLabel(this), QStringLiteral("E_etiq"));
    E_etiq->setAlignment(Qt::AlignCenter);
    E_etiq->setGeometry(I_page->x(), 0, I_page->width(), units::twipsToPixels(255));
}

void CatalogueWindow::Form_Load()
{
    m_ready = false;
    const int left = (m_state.screenWidthPx * units::twipsPerPixel - designWidth) / 2;
    const int top = (m_state.screenHeightPx * units::twipsPerPixel - designHeight) / 2;
    move(units::twipsToPixels(std::max(left, 0)), units::twipsToPixels(std::max(top, 0)));

    m_scale = SheetSample::scaleFor(SamplePage::from(m_state));
    charglistetiq();
    selectpage();
    O_modif->setChecked(true);
    O_modif_Click();
    reperage();
    E_symbole->setText(symbolNotice);
    m_ready = true;
}

void CatalogueWindow::charglistetiq()
{
    L_etiq->clear();
    L_etiq->addItems(m_catalogue.names());
    m_search->refilter();
}

void CatalogueWindow::selectpage()
{
    int index = L_etiq->findText(m_state.sheetTypeName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = L_etiq->count() - 1;
    L_etiq->setCurrentIndex(index);
}

void CatalogueWindow::createtiq()
{
    // A name with no row leaves everything as it was.
    if (!m_catalogue.display(L_etiq->currentText()))
        return;
    I_page->setSample(SheetSample(m_catalogue.displayed(), SamplePage::from(m_state), m_scale));
    E_etiq->setText(m_catalogue.labelSizeCaption());
    showFields(m_catalogue.displayedFields());
}

void CatalogueWindow::reperage()
{
    m_rowNumbers = I_page->sample().rowNumbers();
    m_columnNumbers = I_page->sample().columnNumbers();
    update();
}

void CatalogueWindow::L_etiq_Click()
{
    if (!m_ready)
        return;
    createtiq();
    reperage();
}

void CatalogueWindow::O_modif_Click()
{
    createtiq();
}

void CatalogueWindow::B_ok_Click()
{
    SheetCatalogue::Fields entered = fields();
    const QString nom = L_etiq->currentText();
    const SheetCatalogue::Outcome outcome = m_catalogue.ok(mode(), nom, entered);
    for (int i = 0; i < 6; ++i)
        T_dim[i]->setText(entered.dims[i]);

    using Outcome = SheetCatalogue::Outcome;
    switch (outcome) {
    case Outcome::DecimalRefused:
        // Back to the first type, as a selection in the list would.
        L_etiq->setCurrentIndex(0);
        L_etiq_Click();
        return;
    case Outcome::Refused:
    case Outcome::Failed:
        return;
    case Outcome::Added:
        charglistetiq();
        selectName(nom);
        createtiq();
        reperage();
        break;
    case Outcome::Modified:
        createtiq();
        reperage();
        break;
    case Outcome::Deleted:
        charglistetiq();
        m_ready = false;
        selectpage();
        m_ready = true;
        createtiq();
        reperage();
        break;
    case Outcome::NoMode:
        break;
    }
    B_annul->setEnabled(true);
}

void CatalogueWindow::B_annul_Click()
{
    const SheetCatalogue::Mode current = mode();
    const SheetCatalogue::Undone undone = m_catalogue.annuler(current);
    B_annul->setEnabled(false);
    if (!undone.written)
        return;
    switch (current) {
    case SheetCatalogue::Mode::Modifier:
        break;
    case SheetCatalogue::Mode::Ajouter:
        charglistetiq();
        m_ready = false;
        selectpage();
        m_ready = true;
        break;
    case SheetCatalogue::Mode::Supprimer:
        charglistetiq();
        m_ready = false;
        selectName(undone.nom);
        m_ready = true;
        break;
    case SheetCatalogue::Mode::None:
        return;
    }
    createtiq();
    reperage();
}

void CatalogueWindow::B_doc_Click()
{
    emit helpRequested();
}

void CatalogueWindow::B_finpagetiq_Click()
{
    close();
}

void CatalogueWindow::closeEvent(QCloseEvent *event)
{
    m_ready = false;
    event->accept();
    emit closed();
}

void CatalogueWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    // Positions are the text's top-left corner, in twips.
    auto print = [&](const SheetSample::Number &n) {
        painter.drawText(QPointF(n.at.x() / units::twipsPerPixel, n.at.y() / units::twipsPerPixel + ascent),
                         QString::number(n.value));
    };
    for (const SheetSample::Number &n : m_rowNumbers)
        print(n);
    for (const SheetSample::Number &n : m_columnNumbers)
        print(n);
}

SheetCatalogue::Mode CatalogueWindow::mode() const
{
    if (O_ajout->isChecked())
        return SheetCatalogue::Mode::Ajouter;
    if (O_modif->isChecked())
        return SheetCatalogue::Mode::Modifier;
    if (O_sup->isChecked())
        return SheetCatalogue::Mode::Supprimer;
    return SheetCatalogue::Mode::None;
}

SheetCatalogue::Fields CatalogueWindow::fields() const
{
    SheetCatalogue::Fields f;
    for (int i = 0; i < 6; ++i)
        f.dims[i] = T_dim[i]->text();
    f.colonnes = T_colonnes->text();
    f.rangees = T_rangees->text();
    return f;
}

void CatalogueWindow::showFields(const SheetCatalogue::Fields &f)
{
    for (int i = 0; i < 6; ++i)
        T_dim[i]->setText(f.dims[i]);
    T_colonnes->setText(f.colonnes);
    T_rangees->setText(f.rangees);
}

void CatalogueWindow::selectName(const QString &nom)
{
    const int index = L_etiq->findText(nom, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        L_etiq->setCurrentIndex(index);
    else
        L_etiq->setEditText(nom);
}
