#include "line/line.h"

#include "serial/comm_error.h"

namespace line {

void ConfigureHartPort(serial::TComm& comm)
{
    comm.SetBaudRate(1200);
    comm.SetParity(serial::TParity::Odd);
    comm.SetByteSize(serial::TByteSize::_8);
    comm.SetStopBits(serial::TStopBits::_1);
    comm.SetReadIntervalTimeout(kWindowReadInterval);
    comm.SetRtsControl(hart::TRtsControl::RtsDisable);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
}

codec::Result<std::string> PortNameFor(std::string_view name, bool simulate,
                                       std::unique_ptr<sim::PtySimulator>& simulator,
                                       const sim::PtySimulatorOptions& options)
{
    if (!simulate)
        return codec::Result<std::string>::Ok(std::string(name));
    if (!simulator) {
        std::string error;
        simulator = sim::PtySimulator::Start(options, &error);
        if (!simulator)
            return codec::Result<std::string>::Fail("Cannot start the simulated converter\n" + error);
    }
    return codec::Result<std::string>::Ok(simulator->SlavePath());
}

BatchReads::BatchReads(serial::TComm& comm) : comm_(comm), saved_(comm.ReadIntervalTimeout())
{
    comm_.SetReadIntervalTimeout(kBatchReadInterval);
}

BatchReads::~BatchReads() { comm_.SetReadIntervalTimeout(saved_); }

ReadsFollowHolder::ReadsFollowHolder(serial::TComm& comm, hart::LineOwner& owner)
{
    changed_ = QObject::connect(&owner, &hart::LineOwner::HolderChanged, [this, &comm](int client) {
        const bool batchPath = client >= 0 && client != static_cast<int>(hart::LineClient::Button);
        if (batchPath && !reads_)
            reads_ = std::make_unique<BatchReads>(comm);
        else if (!batchPath)
            reads_.reset();
    });
}

ReadsFollowHolder::~ReadsFollowHolder() { QObject::disconnect(changed_); }

codec::Result<std::unique_ptr<Line>> Line::Open(const Options& options)
{
    using Opened = codec::Result<std::unique_ptr<Line>>;
    std::unique_ptr<Line> line(new Line);
    const auto name = PortNameFor(options.port, options.simulate, line->simulator_, options.simulator);
    if (!name)
        return name.failAs<std::unique_ptr<Line>>();
    ConfigureHartPort(line->comm_);
    line->comm_.SetCommName(*name);
    Line* self = line.get();
    line->comm_.OnReceiveData = [self](serial::TComm*, const void* buffer, std::uint16_t length) {
        self->transactor_.Deliver({static_cast<const std::uint8_t*>(buffer), length});
    };
    line->transactor_.SetPort(&line->comm_);
    line->transactor_.SetBaud(line->comm_.BaudRate());
    try {
        line->comm_.OpenPort();
    } catch (const serial::ECommsError& e) {
        std::string why = e.what();
        for (auto& c : why)
            if (c == '\n')
                c = ' ';
        return Opened::Fail("Cannot open the port " + options.port + ": " + why);
    }
    line->batch_ = std::make_unique<BatchReads>(line->comm_);
    return Opened::Ok(std::move(line));
}

Line::~Line()
{
    // Requests still out are dropped with the transactor; their handles no longer reach it.
    batch_.reset();
    comm_.ClosePort();
    if (simulator_)
        simulator_->Stop();
}

} // namespace line
