#include "widgets/FittingTextValidator.h"

FittingTextValidator::FittingTextValidator(std::function<bool(const QString&)> fits, QObject* parent)
    : QValidator(parent)
    , m_fits(std::move(fits))
{
}

QValidator::State FittingTextValidator::validate(QString& input, int&) const
{
    return m_fits(input) ? Acceptable : Invalid;
}
