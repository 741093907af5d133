#pragma once

#include <QValidator>

#include <functional>

// Accepts a line's text only while it fits where it is stored: a key or a
// paste that would make it too long is refused, as a maximum length would.
// The line edit announces each refusal with inputRejected().
class FittingTextValidator final : public QValidator {
public:
    FittingTextValidator(std::function<bool(const QString&)> fits, QObject* parent);

    State validate(QString& input, int& position) const override;

private:
    std::function<bool(const QString&)> m_fits;
};
