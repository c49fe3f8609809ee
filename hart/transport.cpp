#include "hart/transport.h"

#include <QCoreApplication>
#include <QPointer>

namespace hart {

Reply::~Reply()
{
    if (transport_)
        transport_->Withdraw(this);
}

void Reply::Cancel()
{
    if (finished_)
        return;
    if (transport_)
        transport_->Withdraw(this);
    Complete(TransactionResult{TransactionError::Cancelled, {}, result_.repeats, result_.repeatCauses});
}

void Reply::Complete(TransactionResult result)
{
    if (finished_)
        return;
    finished_ = true;
    transport_ = nullptr;
    result_ = std::move(result);
    // Posted to the application, not to the handle: its owner may drop the
    // handle from within Finished.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self = QPointer<Reply>(this)] {
            // A copy: the handle may go while its receivers still read it.
            if (self)
                emit self->Finished(TransactionResult(self->result_));
        },
        Qt::QueuedConnection);
}

codec::Result<void> UsableAnswer(const TransactionResult& r)
{
    using R = codec::Result<void>;
    if (!r.ok())
        return R::Fail(TransactionErrorText(r.error));
    const auto frame = r.Frame();
    if (!frame)
        return R::Fail(TransactionErrorText(TransactionError::BrokenFrame));
    if (IsErrorResponse(frame->responseCode()))
        return R::Fail(DeviceAnsweredText(frame->responseCode()));
    return R::Ok();
}

std::unique_ptr<Reply> Transport::Submit(Transaction t, Done done)
{
    auto reply = Submit(std::move(t));
    if (done)
        QObject::connect(reply.get(), &Reply::Finished, reply.get(), std::move(done));
    return reply;
}

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
