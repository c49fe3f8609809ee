#include "app/tform1.h"

#include "app/field_text.h"

#include <QLabel>

namespace app {

void TForm1::WirePortLost()
{
    comm1_.OnRequestHangup = [this](serial::TComm* comm) { PortLost(Text(comm->HangupReason())); };
}

void TForm1::PortLost(const QString& reason)
{
    if (link_.Buffer().portOpen())
        CloseConnection();
    else
        comm1_.ClosePort();
    // Nothing can answer now: a running time-out would only replace the reason.
    link_.Timer3().stop();
    ui_.Label68->setText(tr("Port disconnected: %1").arg(reason));
}

} // namespace app
