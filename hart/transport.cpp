#include "hart/transport.h"

namespace hart {

std::string TransactionErrorText(TransactionError error)
{
    switch (error) {
    case TransactionError::None: return "answered";
    case TransactionError::NoAnswer: return "no answer";
    case TransactionError::BrokenFrame: return "broken answer frame";
    case TransactionError::Busy: return "device busy";
    case TransactionError::PortFailed: return "the port failed";
    case TransactionError::Cancelled: return "cancelled";
    }
    return "unknown failure";
}

} // namespace hart
