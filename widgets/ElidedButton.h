#pragma once

#include <QPushButton>
#include <QString>

// A push button whose caption (a file name or a whole path) is shortened in
// its middle to fit the button, so that a long caption never widens the
// window. caption() is the whole text; text() the one shown.
class ElidedButton : public QPushButton {
    Q_OBJECT

public:
    explicit ElidedButton(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Sized for a short caption, whatever the caption is.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCaption();
    QSize SizeForCharacters(int characters) const;

    QString m_caption;
};
