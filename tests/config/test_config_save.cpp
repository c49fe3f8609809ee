// Saving a configuration: saved means on disk, whole.
#include "config/file.h"

#include "support/file_size_limit.h"

#include <QtTest>

#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

using testing::FileSizeLimit;

config::Configuration Sample()
{
    config::Configuration c;
    c.message = std::string(32, 'M');
    c.longTag = "a long tag of thirty-two bytes..";
    c.finalAssembly = 123456;
    return c;
}

} // namespace

class TestConfigSave : public QObject {
    Q_OBJECT
private slots:
    void saveReachesTheDisk_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file there
        QTest::addColumn<int>("limit");         // file size limit in bytes, 0: none
        QTest::addColumn<bool>("saved");
        QTest::newRow("room enough") << QByteArray("old") << 0 << true;
        QTest::newRow("disk full, no file before") << QByteArray() << 64 << false;
        QTest::newRow("disk full, a good file before") << QByteArray("{\"the\": \"old file\"}\n") << 64 << false;
    }
    void saveReachesTheDisk()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, limit);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("c.json");
        if (!before.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(before), before.size());
        }
        const config::FileInfo info{QDateTime::currentDateTimeUtc(), config::DefaultSavedBy()};
        codec::Result<bool> r = codec::Result<bool>::Ok(true);
        {
            std::optional<FileSizeLimit> full;
            if (limit > 0)
                full.emplace(static_cast<rlim_t>(limit));
            r = config::SaveFile(path, Sample(), info);
        }
        QCOMPARE(r.ok(), saved);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), before.isEmpty() && !saved ? 0 : 1); // no half file
        if (!saved) {
            QVERIFY2(QString::fromStdString(r.error()).startsWith(path + ": not saved: "), r.error().c_str());
            if (!before.isEmpty()) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::ReadOnly));
                QCOMPARE(f.readAll(), before);
            }
            return;
        }
        const auto loaded = config::LoadFile(path);
        QVERIFY2(loaded.ok(), loaded.error().c_str());
        QCOMPARE(loaded->configuration.message, Sample().message);
        QCOMPARE(loaded->info.savedBy, info.savedBy);
    }

    // savedBy names the program and its version.
    void savedByNamesProgramAndVersion()
    {
        QCoreApplication::setApplicationName("modbus-hart-config");
        const QString by = config::DefaultSavedBy();
        QVERIFY2(QRegularExpression("^modbus-hart-config \\d+\\.\\d+").match(by).hasMatch(), qPrintable(by));
    }
};

QTEST_GUILESS_MAIN(TestConfigSave)
#include "test_config_save.moc"
