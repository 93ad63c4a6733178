#pragma once

#include <QStringList>
#include <QWidget>

// The list `L_fichouvrir`: names in three columns of nine, one of them
// possibly selected. It tells where the mouse is in twips; what a position
// means is the browser's business.
class NameGridView : public QWidget {
    Q_OBJECT
public:
    explicit NameGridView(QWidget *parent = nullptr);

    void setNames(const QStringList &names);
    const QStringList &names() const { return m_names; }

    void setSelected(int index);   // -1: none
    int selected() const { return m_selected; }
    // The selected name, empty when none.
    QString selectedText() const;

signals:
    void hovered(QPoint twips);
    void released(QPoint twips);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QStringList m_names;
    int m_selected = -1;
};
