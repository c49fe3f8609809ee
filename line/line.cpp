#include "line/line.h"

#include "serial/comm_error.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

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

codec::Result<void> Line::OpenHartIp(const HartIpTarget& target, const hart::TrafficSink& traffic)
{
    hartIp_ = std::make_unique<HartIpPort>();
    hartIp_->SetTrafficSink(traffic);
    // A program without a window may wait here; the port itself gives up
    // after kHartIpSetupMs, the deadline is only a backstop.
    QEventLoop loop;
    QString failure;
    bool opened = false;
    bool settled = false;
    const auto a = QObject::connect(hartIp_.get(), &HartIpPort::Opened, &loop, [&] {
        opened = settled = true;
        loop.quit();
    });
    const auto b = QObject::connect(hartIp_.get(), &HartIpPort::Failed, &loop, [&](const QString& why) {
        failure = why;
        settled = true;
        loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(kHartIpSetupMs + 1000);
    hartIp_->Open(target);
    if (!settled)
        loop.exec();
    QObject::disconnect(a);
    QObject::disconnect(b);
    if (!opened) {
        hartIp_.reset();
        if (failure.isEmpty())
            failure = QCoreApplication::translate("line", "%1 did not answer the session request in time.")
                          .arg(QString::fromStdString(HartIpName(target)));
        return codec::Result<void>::Fail(failure.toStdString());
    }
    Line* self = this;
    QObject::connect(hartIp_.get(), &HartIpPort::Received, hartIp_.get(), [self](const QByteArray& frame) {
        self->transactor_.Deliver({reinterpret_cast<const std::uint8_t*>(frame.constData()), static_cast<std::size_t>(frame.size())});
    });
    transactor_.SetPort(hartIp_.get());
    return codec::Result<void>::Ok();
}

codec::Result<std::unique_ptr<Line>> Line::Open(const Options& options)
{
    using Opened = codec::Result<std::unique_ptr<Line>>;
    std::unique_ptr<Line> line(new Line);
    if (options.hartIp) {
        // No baud on a network, but the Transactor counts the request's time
        // on the wired loop behind the gateway at the loop's 1200 baud.
        const auto opened = line->OpenHartIp(*options.hartIp, options.traffic);
        if (!opened)
            return opened.failAs<std::unique_ptr<Line>>();
        return Opened::Ok(std::move(line));
    }
    if (options.traffic)
        line->transactor_.SetTrafficSink(options.traffic);
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
    if (hartIp_) {
        transactor_.SetPort(nullptr);
        hartIp_.reset(); // sends the session close
        return;
    }
    // Requests still out are dropped with the transactor; their handles no longer reach it.
    batch_.reset();
    comm_.ClosePort();
    if (simulator_)
        simulator_->Stop();
}

} // namespace line
