#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The plain dialog frame: a header with icon, title and close button (its
// pictures are files in the "images" directory beside the program, so a
// site can restyle them) and a content area for the derived dialog.
class OvBaseDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OvBaseDialog(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;
    QWidget *content() const { return m_content; }
    QWidget *header() const { return m_header; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_header;
    QLabel *m_title;
    QPushButton *m_close;
    QWidget *m_content;
};
