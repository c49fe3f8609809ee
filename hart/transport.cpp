#include "hart/transport.h"

namespace hart {

std::string TransactionErrorText(TransactionError error)
{
    switch (error) {
    case TransactionError::None: return "no error";
    case TransactionError::NoAnswer: return "no answer";
    case TransactionError::BrokenFrame: return "broken answer (bad checksum or wrong command)";
    case TransactionError::Busy: return "device busy";
    case TransactionError::PortFailed: return "the port refused the bytes";
    case TransactionError::Cancelled: return "cancelled";
    }
    return "unknown error";
}

} // namespace hart
