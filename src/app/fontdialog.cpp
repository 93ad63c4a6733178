#include "fontdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontDialog::FontDialog(const FontChoice &preset, QWidget *parent)
    : QDialog(parent)
    , m_color(preset.color)
{
    setObjectName(QStringLiteral("U_dialog"));
    setWindowTitle(QStringLiteral("POLICE"));

    m_family = new QFontComboBox(this);
    m_family->setCurrentFont(QFont(preset.family));
    m_size = new QDoubleSpinBox(this);
    m_size->setRange(1, 400);
    m_size->setDecimals(1);
    m_size->setValue(preset.pointSize);
    m_bold = new QCheckBox(QStringLiteral("Gras"), this);
    m_bold->setChecked(preset.bold);
    m_italic = new QCheckBox(QStringLiteral("Italique"), this);
    m_italic->setChecked(preset.italic);
    m_underline = new QCheckBox(QStringLiteral("Souligné"), this);
    m_underline->setChecked(preset.underline);
    m_strikeOut = new QCheckBox(QStringLiteral("Barré"), this);
    m_strikeOut->setChecked(preset.strikeOut);
    m_colorButton = new QPushButton(QStringLiteral("Couleur..."), this);
    m_sample = new QLabel(QStringLiteral("AaBbÉé 123"), this);
    m_sample->setMinimumHeight(60);
    m_sample->setAlignment(Qt::AlignCenter);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Police :"), m_family);
    form->addRow(QStringLiteral("Taille :"), m_size);
    auto *styles = new QHBoxLayout;
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikeOut})
        styles->addWidget(box);
    form->addRow(QStringLiteral("Style :"), styles);
    form->addRow(QStringLiteral("Couleur :"), m_colorButton);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontDialog::pickColor);
    connect(m_family, &QFontComboBox::currentFontChanged, this, &FontDialog::showSample);
    connect(m_size, &QDoubleSpinBox::valueChanged, this, &FontDialog::showSample);
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontDialog::showSample);
    showSample();
}

FontChoice FontDialog::choice() const
{
    FontChoice c;
    c.family = m_family->currentFont().family();
    c.pointSize = m_size->value();
    c.color = m_color;
    c.bold = m_bold->isChecked();
    c.italic = m_italic->isChecked();
    c.underline = m_underline->isChecked();
    c.strikeOut = m_strikeOut->isChecked();
    return c;
}

void FontDialog::showSample()
{
    const FontChoice c = choice();
    QFont font(c.family);
    font.setPointSizeF(c.pointSize);
    font.setBold(c.bold);
    font.setItalic(c.italic);
    font.setUnderline(c.underline);
    font.setStrikeOut(c.strikeOut);
    m_sample->setFont(font);
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, c.color);
    m_sample->setPalette(p);
}

void FontDialog::pickColor()
{
    const QColor chosen = QColorDialog::getColor(m_color, this, QStringLiteral("COULEUR"));
    if (chosen.isValid()) {
        m_color = chosen;
        showSample();
    }
}

std::optional<FontChoice> DialogChoosers::chooseFont(const FontChoice &preset)
{
    FontDialog dialog(preset, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QColor> DialogChoosers::chooseColor(const QColor &preset)
{
    const QColor chosen = QColorDialog::getColor(preset, m_parent, QStringLiteral("COULEUR FOND"));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}
