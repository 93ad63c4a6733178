#pragma once

#include "platform/choosers.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QPushButton;

// The font dialog of the label editor: family, size, colour and the four
// styles together, as one character format.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontChoice &preset, QWidget *parent = nullptr);
    FontChoice choice() const;

private:
    void showSample();
    void pickColor();

    QFontComboBox *m_family = nullptr;
    QDoubleSpinBox *m_size = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_strikeOut = nullptr;
    QPushButton *m_colorButton = nullptr;
    QLabel *m_sample = nullptr;
    QColor m_color;
};

// The dialogs the user answers.
class DialogChoosers final : public Choosers {
public:
    explicit DialogChoosers(QWidget *parent = nullptr) : m_parent(parent) {}
    std::optional<FontChoice> chooseFont(const FontChoice &preset) override;
    std::optional<QColor> chooseColor(const QColor &preset) override;

private:
    QWidget *m_parent;
};
