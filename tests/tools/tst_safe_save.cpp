#include "safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kvizaro;

namespace {

// What stands in the folder before saving to box/out.adt. victim.txt lies outside box/, where only a
// followed link could reach it.
enum class Setup {
    NoTarget,
    Target0600,
    Target0660,
    ReadOnlyTarget,
    ReadOnlyFolder,
    PartFileBeside,
    PartLinkBeside,
    TargetLink,
    DanglingTargetLink,
    TargetFolder,
    TemporaryNameTaken,
    FileSizeLimit,
};

const QByteArray OldContents = "old contents\n";
const QByteArray NewContents = "new contents, longer than the size limit\n";
const QByteArray VictimContents = "victim\n";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& data, mode_t mode = 0644) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() &&
           ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

bool makeLink(const QString& named, const QString& link) {
    return ::symlink(QFile::encodeName(named).constData(), QFile::encodeName(link).constData()) == 0;
}

mode_t permissions(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Writing past the limit fails as on a full disk (EFBIG instead of ENOSPC), for root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestSafeSave : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_.emplace();
        QVERIFY(dir_->isValid());
        box_ = dir_->filePath(QStringLiteral("box"));
        QVERIFY(QDir().mkdir(box_));
        QVERIFY(writeAll(dir_->filePath(QStringLiteral("victim.txt")), VictimContents));
    }
    void cleanup() { ::chmod(QFile::encodeName(box_).constData(), 0755); }

    // Ctrl+C, kill or a closed terminal in the middle of a save: the old file stays, nothing stands beside
    // it, and the signal still ends the process as it would have.
    void interruptedSaveLeavesNothingBehind_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void interruptedSaveLeavesNothingBehind() {
        QFETCH(int, signal);
        const QString target = box_ + QStringLiteral("/out.adt");
        QVERIFY(writeAll(target, OldContents));
        const std::string path = target.toStdString();
        const std::string contents = NewContents.toStdString();
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(signal, SIG_DFL); // as in a program that handles none of them itself
            saveFileSafely(path, contents, randomTemporarySuffix, [signal] { ::raise(signal); });
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(entries(box_), QStringList{QStringLiteral("out.adt")});
        QCOMPARE(readAll(target), OldContents);
    }

    // Whatever happens, nothing outside the target changes and no temporary file stays behind; a
    // refused save leaves the target as it was.
    void savesWholeOrNotAtAll_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("error");     // part of the reason given
        QTest::addColumn<QString>("written");   // the file that holds the contents, in box/
        QTest::addColumn<QStringList>("added"); // entries of box/ that saving adds
        QTest::addColumn<int>("mode");          // of `written` afterwards; 0: not compared
        const QString out = QStringLiteral("out.adt");
        QTest::newRow("new-file-gets-0666-less-umask")
            << Setup::NoTarget << true << QString() << out << QStringList{out} << 0640;
        QTest::newRow("mode-0600-kept")
            << Setup::Target0600 << true << QString() << out << QStringList{} << 0600;
        QTest::newRow("mode-0660-kept")
            << Setup::Target0660 << true << QString() << out << QStringList{} << 0660;
        QTest::newRow("read-only-target-refused")
            << Setup::ReadOnlyTarget << false << QStringLiteral("read-only") << out << QStringList{} << 0444;
        QTest::newRow("read-only-folder-refused")
            << Setup::ReadOnlyFolder << false << QStringLiteral("Permission denied") << out << QStringList{}
            << 0644;
        QTest::newRow("part-file-beside-kept")
            << Setup::PartFileBeside << true << QString() << out << QStringList{} << 0644;
        QTest::newRow("part-link-beside-not-followed")
            << Setup::PartLinkBeside << true << QString() << out << QStringList{} << 0644;
        QTest::newRow("link-target-written-through")
            << Setup::TargetLink << true << QString() << QStringLiteral("real.adt") << QStringList{} << 0600;
        QTest::newRow("dangling-link-creates-named-file")
            << Setup::DanglingTargetLink << true << QString() << QStringLiteral("made.adt")
            << QStringList{QStringLiteral("made.adt")} << 0640;
        QTest::newRow("folder-target-refused")
            << Setup::TargetFolder << false << QStringLiteral("not a regular file") << QString()
            << QStringList{} << 0;
        QTest::newRow("taken-temporary-name-skipped")
            << Setup::TemporaryNameTaken << true << QString() << out << QStringList{} << 0644;
        QTest::newRow("write-failure-leaves-old-file")
            << Setup::FileSizeLimit << false << QStringLiteral("File too large") << out << QStringList{}
            << 0644;
    }
    void savesWholeOrNotAtAll() {
        QFETCH(Setup, setup);
        QFETCH(bool, saved);
        QFETCH(QString, error);
        QFETCH(QString, written);
        QFETCH(QStringList, added);
        QFETCH(int, mode);
        const bool permissionRow = setup == Setup::ReadOnlyTarget || setup == Setup::ReadOnlyFolder;
        if (permissionRow && ::geteuid() == 0) {
            QSKIP("permissions do not stop root");
        }
        prepare(setup);
        const QStringList before = entries(box_);
        const std::optional<std::string> result = save(setup);

        QVERIFY2(result.has_value() != saved, result ? result->c_str() : "saved");
        if (!saved) {
            QVERIFY2(QString::fromStdString(*result).contains(error), result->c_str());
        }
        QStringList expected = before + added;
        expected.sort();
        QCOMPARE(entries(box_), expected);
        QCOMPARE(readAll(dir_->filePath(QStringLiteral("victim.txt"))), VictimContents);
        if (!written.isEmpty()) {
            const QString file = box_ + QLatin1Char('/') + written;
            QCOMPARE(readAll(file), saved ? NewContents : OldContents);
            if (mode != 0) {
                QCOMPARE(int(permissions(file)), mode);
            }
        }
        if (setup == Setup::TargetLink || setup == Setup::DanglingTargetLink) {
            QVERIFY(QFileInfo(target()).isSymLink());
        }
    }

private:
    QString target() const { return box_ + QStringLiteral("/out.adt"); }

    void prepare(Setup setup) {
        const QString victim = dir_->filePath(QStringLiteral("victim.txt"));
        switch (setup) {
        case Setup::NoTarget:
            return;
        case Setup::TargetFolder:
            QVERIFY(QDir().mkdir(target()));
            return;
        case Setup::Target0600:
            QVERIFY(writeAll(target(), OldContents, 0600));
            return;
        case Setup::Target0660:
            QVERIFY(writeAll(target(), OldContents, 0660));
            return;
        case Setup::ReadOnlyTarget:
            QVERIFY(writeAll(target(), OldContents, 0444));
            return;
        case Setup::TargetLink:
            QVERIFY(writeAll(box_ + QStringLiteral("/real.adt"), OldContents, 0600));
            QVERIFY(makeLink(QStringLiteral("real.adt"), target()));
            return;
        case Setup::DanglingTargetLink:
            QVERIFY(makeLink(QStringLiteral("made.adt"), target()));
            return;
        case Setup::PartFileBeside:
            QVERIFY(writeAll(target() + QStringLiteral(".part"), VictimContents));
            QVERIFY(writeAll(target(), OldContents));
            return;
        case Setup::PartLinkBeside:
        case Setup::TemporaryNameTaken:
            QVERIFY(makeLink(victim, target() + QStringLiteral(".part")));
            QVERIFY(writeAll(target(), OldContents));
            return;
        case Setup::ReadOnlyFolder:
            QVERIFY(writeAll(target(), OldContents));
            QCOMPARE(::chmod(QFile::encodeName(box_).constData(), 0555), 0);
            return;
        case Setup::FileSizeLimit:
            QVERIFY(writeAll(target(), OldContents));
            return;
        }
    }

    std::optional<std::string> save(Setup setup) {
        const std::string path = QFile::encodeName(target()).toStdString();
        const std::string contents = NewContents.toStdString();
        if (setup == Setup::NoTarget || setup == Setup::DanglingTargetLink) {
            const mode_t previous = ::umask(027);
            auto result = saveFileSafely(path, contents);
            ::umask(previous);
            return result;
        }
        if (setup == Setup::TemporaryNameTaken) {
            // The first name tried is the one a link already has.
            bool first = true;
            return saveFileSafely(path, contents, [&first] {
                return std::exchange(first, false) ? std::string(".part") : randomTemporarySuffix();
            });
        }
        if (setup == Setup::FileSizeLimit) {
            const FileSizeLimit limit(rlim_t(OldContents.size()));
            return saveFileSafely(path, contents);
        }
        return saveFileSafely(path, contents);
    }

    std::optional<QTemporaryDir> dir_;
    QString box_;
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safe_save.moc"
