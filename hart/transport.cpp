#include "hart/transport.h"

#include <QCoreApplication>

namespace hart {


std::string TransactionErrorText(TransactionError error)
{
    switch (error) {
    case TransactionError::None: return QCoreApplication::translate("hart", "answered").toStdString();
    case TransactionError::NoAnswer: return QCoreApplication::translate("hart", "no answer").toStdString();
    case TransactionError::BrokenFrame: return QCoreApplication::translate("hart", "broken answer frame").toStdString();
    case TransactionError::Busy: return QCoreApplication::translate("hart", "device busy").toStdString();
    case TransactionError::PortFailed: return QCoreApplication::translate("hart", "the port failed").toStdString();
    case TransactionError::Cancelled: return QCoreApplication::translate("hart", "cancelled").toStdString();
    }
    return QCoreApplication::translate("hart", "unknown failure").toStdString();
}

} // namespace hart
