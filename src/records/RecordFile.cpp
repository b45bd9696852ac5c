#include "records/RecordFile.h"

#include "frame/IoError.h"
#include "frame/Messages.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kBlockBytes = 16384;

bool g_sync = true;
TRecordIoObserver g_observer = nullptr;

// Every step that changes something on disk reports here, so that the
// crash tests can stop the process after any one of them.
void stepDone()
{
    if (g_observer)
        g_observer();
}

// Whole-record transfers at a fixed offset. pread/pwrite move no file
// position, so one call per record and nothing is buffered in this process:
// a record written through one object is seen by the next read through
// another object on the same file.
bool readFully(int fd, char *buf, size_t size, off_t at)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buf + done, size - done, at + off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += size_t(got);
    }
    return true;
}

bool writeFully(int fd, const char *buf, size_t size, off_t at)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t put = ::pwrite(fd, buf + done, size - done, at + off_t(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        stepDone();
        done += size_t(put);
    }
    return true;
}

bool syncFile(int fd)
{
    if (!g_sync)
        return true;
    const bool ok = ::fsync(fd) == 0;
    stepDone();
    return ok;
}

// A rename or a new file is only durable once its folder is flushed too.
void syncFolderOf(const QByteArray &native)
{
    if (!g_sync)
        return;
    const int slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool truncateFile(int fd, qint64 size)
{
    const bool ok = ::ftruncate(fd, off_t(size)) == 0;
    stepDone();
    return ok;
}

bool removeFile(const QByteArray &native)
{
    const bool ok = ::unlink(native.constData()) == 0 || errno == ENOENT;
    stepDone();
    return ok;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// ---- the rollback journal --------------------------------------------
// "QVJRNL01", record size (u32), 0 (u32), old file size (u64), offset of the
// saved bytes (u64), their length (u64), the bytes, then a 64-bit FNV-1a
// checksum of everything before it. Little-endian, like the records.
constexpr char kJournalMagic[8] = {'Q', 'V', 'J', 'R', 'N', 'L', '0', '1'};
constexpr int kJournalHeader = 40;

quint64 checksum(const char *data, qsizetype size)
{
    quint64 h = 1469598103934665603ULL;
    for (qsizetype i = 0; i < size; ++i) {
        h ^= quint8(data[i]);
        h *= 1099511628211ULL;
    }
    return h;
}

void putU64(char *at, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        at[i] = char((v >> (8 * i)) & 0xFF);
}

quint64 getU64(const char *at)
{
    quint64 v = 0;
    for (int i = 0; i < 8; ++i)
        v |= quint64(quint8(at[i])) << (8 * i);
    return v;
}

struct TJournal
{
    quint64 oldSize = 0;
    quint64 from = 0;
    QByteArray bytes;
};

// A journal is used only when it is whole and was written for this record
// size; anything else (torn by a crash while it was written, or not ours)
// gives false.
bool parseJournal(const QByteArray &data, int recordSize, TJournal &out)
{
    if (data.size() < kJournalHeader + 8 || std::memcmp(data.constData(), kJournalMagic, 8) != 0)
        return false;
    const char *d = data.constData();
    const quint64 size = getU64(d + 8);
    if ((size & 0xFFFFFFFFULL) != quint64(recordSize) || (size >> 32) != 0)
        return false;
    out.oldSize = getU64(d + 16);
    out.from = getU64(d + 24);
    const quint64 length = getU64(d + 32);
    if (out.from > out.oldSize || out.from % quint64(recordSize) != 0 ||
        out.oldSize % quint64(recordSize) != 0 || length != out.oldSize - out.from ||
        length != quint64(data.size() - kJournalHeader - 8))
        return false;
    if (checksum(d, data.size() - 8) != getU64(d + data.size() - 8))
        return false;
    out.bytes = data.mid(kJournalHeader, qsizetype(length));
    return true;
}

QByteArray readWholeFile(const QByteArray &native, bool &exists)
{
    QByteArray data;
    exists = false;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return data;
    exists = true;
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        data.append(buf, qsizetype(got));
    }
    ::close(fd);
    return data;
}

// Puts the saved bytes back and the old size, then flushes.
bool applyJournal(int fd, const TJournal &j)
{
    return writeFully(fd, j.bytes.constData(), size_t(j.bytes.size()), off_t(j.from)) &&
           truncateFile(fd, qint64(j.oldSize)) && syncFile(fd);
}

// A torn last record (a size that is not a multiple of the record size) is
// not counted and never read.
int countOf(off_t size, int recordSize)
{
    return int(std::min<qint64>(qint64(size) / recordSize, INT_MAX - 1));
}

} // namespace

TRecordFile::TRecordFile(const QString &path, int recordSize, void *work, TOpenMode mode)
    : m_path(path), m_recordSize(recordSize), m_work(work), m_io(recordSize, '\0'),
      m_readOnly(mode == TOpenMode::ReadOnly)
{
    const QByteArray native = QFile::encodeName(path);
    // Only a file that does not exist is created. An existing file that
    // cannot be opened for reading and writing (permissions, a folder of
    // that name) stays as it is and the object is simply not open: creating
    // it would truncate someone's data.
    if (!native.isEmpty()) {
        if (m_readOnly) {
            m_fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        } else {
            m_fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
            if (m_fd < 0 && errno == ENOENT)
                m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        }
    }
    struct stat st;
    if (m_fd >= 0 && (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd < 0) {
        m_status = NotOpen;
        m_lastIndex = 0;
        return;
    }
    recoverFromJournal();
    if (::fstat(m_fd, &st) != 0)
        st.st_size = 0;
    m_lastIndex = countOf(st.st_size, m_recordSize) - 1;
}

void TRecordFile::recoverFromJournal()
{
    const QByteArray journalName = QFile::encodeName(m_path + QStringLiteral(".jnl"));
    bool exists = false;
    const QByteArray data = readWholeFile(journalName, exists);
    if (!exists)
        return;
    TJournal j;
    if (!parseJournal(data, m_recordSize, j)) {
        // Torn while it was written (so the file was never touched) or not
        // a journal of ours: nothing to undo.
        removeFile(journalName);
        return;
    }
    // A file opened for reading only is still repaired: what it holds is
    // half a change, and undoing it creates nothing.
    int fd = m_fd;
    if (m_readOnly)
        fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
    const bool undone = fd >= 0 && applyJournal(fd, j) && removeFile(journalName);
    const QString reason = systemError();
    if (fd >= 0 && fd != m_fd)
        ::close(fd);
    if (!undone) {
        m_readOnly = true;
        m_openProblem = QStringLiteral("Error, Could Not Undo An Unfinished Change To %1\n%2\n"
                                       "The File Is Open For Reading Only.")
                            .arg(m_path, reason);
        ShowError(m_openProblem);
    }
}

bool TRecordFile::beginChange(qint64 from)
{
    const qint64 oldSize = qint64(m_lastIndex + 1) * m_recordSize;
    const qint64 length = oldSize - from;
    QByteArray data(kJournalHeader + length + 8, '\0');
    char *d = data.data();
    std::memcpy(d, kJournalMagic, 8);
    putU64(d + 8, quint64(m_recordSize));
    putU64(d + 16, quint64(oldSize));
    putU64(d + 24, quint64(from));
    putU64(d + 32, quint64(length));
    ++m_readCalls;
    if (length > 0 && !readFully(m_fd, d + kJournalHeader, size_t(length), off_t(from)))
        return false;
    putU64(d + kJournalHeader + length, checksum(d, kJournalHeader + length));

    const QByteArray journalName = QFile::encodeName(m_path + QStringLiteral(".jnl"));
    const int fd = ::open(journalName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    stepDone();
    const bool ok = writeFully(fd, data.constData(), size_t(data.size()), 0) && syncFile(fd);
    ::close(fd);
    if (!ok) {
        removeFile(journalName);
        return false;
    }
    syncFolderOf(journalName);
    m_journal = data;
    return true;
}

bool TRecordFile::endChange()
{
    if (!syncFile(m_fd))
        return false;
    m_journal.clear();
    return removeFile(QFile::encodeName(m_path + QStringLiteral(".jnl")));
}

void TRecordFile::undoChange()
{
    TJournal j;
    const QByteArray journalName = QFile::encodeName(m_path + QStringLiteral(".jnl"));
    if (parseJournal(m_journal, m_recordSize, j) && applyJournal(m_fd, j) && removeFile(journalName)) {
        m_journal.clear();
        return;
    }
    // The journal stays on disk; the next open tries again.
    m_readOnly = true;
    m_openProblem =
        QStringLiteral("Error, Could Not Undo An Unfinished Change To %1\n%2").arg(m_path, systemError());
    m_journal.clear();
}

bool TRecordFile::StoredImage(QByteArray &out) const
{
    out.clear();
    if (!IsOpen())
        return false;
    out.resize(qsizetype(RecordCount()) * m_recordSize);
    return out.isEmpty() || readFully(m_fd, out.data(), size_t(out.size()), 0);
}

QString TRecordFile::WriteFailureText() const
{
    if (!m_openProblem.isEmpty())
        return m_openProblem;
    if (!IsOpen())
        return QStringLiteral("Unable To Open %1").arg(m_path);
    return QStringLiteral("Unable To Write To %1").arg(m_path);
}

bool TRecordFile::refuseChange()
{
    m_status |= IoError;
    return false;
}

void TRecordFile::appendImage(QByteArray &out, void *rec)
{
    rawNormalize(rec);
    out.append(static_cast<const char *>(rawDiskImage(rec)), m_recordSize);
}

bool TRecordFile::ReplaceAll(const QByteArray &records)
{
    if (!IsOpen())
        return false;
    if (m_readOnly || records.size() % m_recordSize != 0 || !ReplaceFileContents(m_path, records))
        return refuseChange();
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return refuseChange();
    ::close(m_fd);
    m_fd = fd;
    m_lastIndex = countOf(records.size(), m_recordSize) - 1;
    m_currentIndex = 0;
    return true;
}

TRecordFile::~TRecordFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int TRecordFile::recordCount() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        throw EInOutError(QStringLiteral("Error, Could Not Read The Size Of %1\n%2")
                              .arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
    return countOf(st.st_size, m_recordSize);
}

bool TRecordFile::truncateAt(qint64 index)
{
    return truncateFile(m_fd, index * m_recordSize);
}

bool TRecordFile::readRecord(int index, void *rec)
{
    ++m_readCalls;
    if (index < 0 || !readFully(m_fd, m_io.data(), size_t(m_recordSize), off_t(index) * m_recordSize)) {
        m_status |= IoError;
        return false;
    }
    std::memcpy(rec, m_io.constData(), size_t(m_recordSize));
    rawAfterRead(rec);
    return true;
}

bool TRecordFile::writeRecord(int index, void *rec)
{
    ++m_writeCalls;
    rawNormalize(rec);
    const void *image = rawDiskImage(rec);
    if (index < 0 || m_readOnly ||
        !writeFully(m_fd, static_cast<const char *>(image), size_t(m_recordSize),
                    off_t(index) * m_recordSize)) {
        m_status |= IoError;
        return false;
    }
    return true;
}

bool TRecordFile::appendRecord(void *rec)
{
    const int at = m_lastIndex + 1;
    m_currentIndex = at;
    if (!writeRecord(at, rec)) {
        // A full disk may have taken part of the record: cut it off again.
        truncateAt(at);
        m_currentIndex = m_lastIndex;
        return false;
    }
    m_lastIndex = at;
    return true;
}

int TRecordFile::insertionPoint(const QByteArray &key)
{
    const int blockRecords = std::max(1, kBlockBytes / m_recordSize);
    int hole = m_lastIndex + 1;
    while (hole > 0) {
        const int lo = std::max(0, hole - blockRecords);
        const int hi = hole - 1;
        const bool inBlock = readBlock(lo, hi);
        for (int k = hi; k >= lo; --k) {
            if (inBlock) {
                std::memcpy(m_work, m_block.constData() + qsizetype(k - lo) * m_recordSize,
                            size_t(m_recordSize));
                rawAfterRead(m_work);
            } else if (!readRecord(k, m_work)) {
                return -1;
            }
            if (!(rawOrderKey(m_work) > key))
                return k + 1;
        }
        hole = lo;
    }
    return 0;
}

void TRecordFile::readCurrent(void *rec)
{
    if (IsOpen())
        readRecord(m_currentIndex, rec);
}

void TRecordFile::writeCurrent(void *rec)
{
    if (IsOpen())
        writeRecord(m_currentIndex, rec);
}

void TRecordFile::first(void *rec)
{
    if (!IsOpen())
        return;
    m_status = 0;
    m_currentIndex = 0;
    readRecord(m_currentIndex, rec);
}

void TRecordFile::next(void *rec, int n)
{
    if (!IsOpen())
        return;
    m_status = 0;
    if (qint64(m_currentIndex) + n > m_lastIndex) {
        m_status = Boundary;
        m_currentIndex = m_lastIndex;
    } else {
        m_currentIndex += n;
    }
    readRecord(m_currentIndex, rec);
}

void TRecordFile::prior(void *rec, int n)
{
    if (!IsOpen())
        return;
    m_status = 0;
    if (qint64(m_currentIndex) - n < 0) {
        m_status = Boundary;
        m_currentIndex = 0;
    } else {
        m_currentIndex -= n;
    }
    readRecord(m_currentIndex, rec);
}

void TRecordFile::last(void *rec)
{
    if (!IsOpen())
        return;
    m_status = 0;
    m_currentIndex = m_lastIndex;
    readRecord(m_currentIndex, rec);
}

void TRecordFile::readAt(void *rec, int index)
{
    if (!IsOpen())
        return;
    if (index < 0 || index > m_lastIndex) {
        m_status = Boundary;
        return;
    }
    m_currentIndex = index;
    readRecord(m_currentIndex, rec);
}

bool TRecordFile::readBlock(int from, int to)
{
    ++m_readCalls;
    const size_t size = size_t(to - from + 1) * size_t(m_recordSize);
    m_block.resize(qsizetype(size));
    return readFully(m_fd, m_block.data(), size, off_t(from) * m_recordSize);
}

void TRecordFile::rewriteImage(const char *stored, char *out)
{
    m_record.resize(m_recordSize);
    std::memcpy(m_record.data(), stored, size_t(m_recordSize));
    rawAfterRead(m_record.data());
    rawNormalize(m_record.data());
    std::memcpy(out, rawDiskImage(m_record.data()), size_t(m_recordSize));
}

int TRecordFile::moveRecords(int from, int to, int by)
{
    const int blockRecords = std::max(1, kBlockBytes / m_recordSize);
    const auto moveBlock = [&](int lo, int hi) {
        if (!readBlock(lo, hi))
            return false;
        const int n = hi - lo + 1;
        m_moved.resize(qsizetype(n) * m_recordSize);
        for (int i = 0; i < n; ++i)
            rewriteImage(m_block.constData() + qsizetype(i) * m_recordSize,
                         m_moved.data() + qsizetype(i) * m_recordSize);
        ++m_writeCalls;
        return writeFully(m_fd, m_moved.constData(), size_t(m_moved.size()), off_t(lo + by) * m_recordSize);
    };
    int moved = 0;
    if (by < 0) {
        for (int lo = from; lo <= to; lo += blockRecords) {
            const int hi = std::min(to, lo + blockRecords - 1);
            if (!moveBlock(lo, hi))
                break;
            moved += hi - lo + 1;
        }
    } else {
        for (int hi = to; hi >= from; hi -= blockRecords) {
            const int lo = std::max(from, hi - blockRecords + 1);
            if (!moveBlock(lo, hi))
                break;
            moved += hi - lo + 1;
        }
    }
    return moved;
}

bool TRecordFile::scan(int from, int to, void *rec, const std::function<void(const void *)> &visit)
{
    if (!IsOpen() || from < 0 || to > m_lastIndex || from > to)
        return IsOpen() && from > to;
    const int blockRecords = std::max(1, kBlockBytes / m_recordSize);
    for (int at = from; at <= to; at += blockRecords) {
        const int last = std::min(to, at + blockRecords - 1);
        if (!readBlock(at, last)) {
            // Fall back to single reads so the failing record is the one
            // that sets the flag, with everything before it delivered.
            for (int i = at; i <= last; ++i) {
                m_currentIndex = i;
                if (!readRecord(i, rec))
                    return false;
                visit(rec);
            }
            continue;
        }
        for (int i = at; i <= last; ++i) {
            m_currentIndex = i;
            std::memcpy(rec, m_block.constData() + qsizetype(i - at) * m_recordSize, size_t(m_recordSize));
            rawAfterRead(rec);
            visit(rec);
        }
    }
    return true;
}

bool TRecordFile::find(void *rec, const QByteArray &key, TFindResult style)
{
    if (!IsOpen())
        return false;
    const bool flags = style == TFindResult::Flag;
    if (flags)
        m_status = 0;
    // Once the remaining range fits in 16 KB it is fetched with one
    // read and the search goes on through the same probes in memory: the
    // records examined and the outcome are those of probing one by one, at a
    // fraction of the calls. Nothing is kept beyond this search.
    const int blockRecords = std::max(1, kBlockBytes / m_recordSize);
    int blockFrom = -1;
    int blockTo = -2;
    int lo = 0;
    int hi = m_lastIndex;
    bool found = false;
    while (hi >= lo && !found && (!flags || m_status == 0)) {
        const int mid = lo + (hi - lo) / 2;
        m_currentIndex = mid;
        if (blockFrom < 0 && hi - lo + 1 <= blockRecords && hi - lo > 0 && readBlock(lo, hi)) {
            blockFrom = lo;
            blockTo = hi;
        }
        if (mid >= blockFrom && mid <= blockTo) {
            std::memcpy(rec, m_block.constData() + qsizetype(mid - blockFrom) * m_recordSize,
                        size_t(m_recordSize));
            rawAfterRead(rec);
        } else {
            readRecord(mid, rec);
        }
        const int c = key.compare(rawSearchKey(rec));
        if (c < 0)
            hi = mid - 1;
        else if (c > 0)
            lo = mid + 1;
        else
            found = true;
    }
    if (!found && flags)
        m_status |= NotFound;
    return found;
}

bool TRecordFile::insert(void *rec, TDuplicate duplicates)
{
    if (!IsOpen())
        return false;
    // The caller's record takes its stored form first, so that the key it is
    // placed by is the key it is stored with (the symbol file upper-cases).
    rawNormalize(rec);
    const QByteArray key = rawOrderKey(rec);

    if (m_readOnly)
        return refuseChange();

    // Most inserts go behind the last record (a price history grows by
    // date). Where the file is ordered by the search key itself, one look at
    // the last record settles that case: the record lands at the same index
    // with the same bytes as after the full search, and Status and
    // CurrentIndex end as the search would leave them.
    if (m_lastIndex >= 0 && key == rawSearchKey(rec) && readRecord(m_lastIndex, m_work)) {
        const int c = key.compare(rawSearchKey(m_work));
        if (c > 0) {
            if (!appendRecord(rec))
                return false;
            m_status = duplicates == TDuplicate::Replace ? 0 : NotFound;
            return true;
        }
        if (c == 0) {
            m_currentIndex = m_lastIndex;
            m_status = 0;
            if (duplicates == TDuplicate::Refuse)
                return false;
            return writeRecord(m_currentIndex, rec);
        }
    }

    if (duplicates == TDuplicate::Replace) {
        if (find(m_work, rawSearchKey(rec), TFindResult::Boolean)) {
            if (!writeRecord(m_currentIndex, rec))
                return false;
            m_status = 0;
            return true;
        }
    } else if (m_lastIndex >= 0) {
        if (find(m_work, rawSearchKey(rec), TFindResult::Flag) && rawOrderKey(m_work) == key)
            return false;
    }

    // The record goes directly behind the last record, counted from the end,
    // whose order key is not greater; everything behind that moves one place
    // back, a block at a time, under the journal.
    const int at = insertionPoint(key);
    if (at < 0)
        return refuseChange();
    if (at > m_lastIndex) {
        if (!appendRecord(rec))
            return false;
    } else {
        if (!beginChange(qint64(at) * m_recordSize))
            return refuseChange();
        const int behind = m_lastIndex - at + 1;
        if (moveRecords(at, m_lastIndex, 1) != behind || !writeRecord(at, rec) || !endChange()) {
            undoChange();
            m_currentIndex = at;
            return refuseChange();
        }
        m_lastIndex += 1;
        m_currentIndex = at;
    }
    if (duplicates == TDuplicate::Replace)
        m_status = 0;
    return true;
}

void TRecordFile::deleteAt(int index)
{
    if (!IsOpen() || index < 0 || index > m_lastIndex)
        return;
    if (m_readOnly || !beginChange(qint64(index) * m_recordSize)) {
        refuseChange();
        return;
    }
    const int behind = m_lastIndex - index;
    if ((behind > 0 && moveRecords(index + 1, m_lastIndex, -1) != behind) || !truncateAt(m_lastIndex) ||
        !endChange()) {
        undoChange();
        refuseChange();
        m_lastIndex = recordCount() - 1;
        return;
    }
    if (behind > 0)
        m_currentIndex = m_lastIndex - 1;
    m_lastIndex = recordCount() - 1;
}

void TRecordFile::deleteThrough(int index)
{
    // A negative index removes nothing (it would only rewrite every record in place).
    if (!IsOpen() || index < 0)
        return;
    if (m_lastIndex >= 0) {
        if (m_readOnly || !beginChange(0)) {
            refuseChange();
            return;
        }
        const int keep = index < m_lastIndex ? m_lastIndex - index : 0;
        if ((keep > 0 && moveRecords(index + 1, m_lastIndex, -(index + 1)) != keep) || !truncateAt(keep) ||
            !endChange()) {
            undoChange();
            refuseChange();
        }
    }
    m_lastIndex = recordCount() - 1;
    m_currentIndex = m_lastIndex;
}

void TRecordFile::clear()
{
    if (!IsOpen())
        return;
    if (m_lastIndex >= 0) {
        if (m_readOnly || !beginChange(0)) {
            refuseChange();
            return;
        }
        if (!truncateAt(0) || !endChange()) {
            undoChange();
            refuseChange();
            m_lastIndex = recordCount() - 1;
            return;
        }
    }
    m_lastIndex = -1;
    m_currentIndex = -1;
}

bool ReplaceFileContents(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    const QByteArray temporary = native + ".new";
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("Error, Could Not Write %1\n%2").arg(path, reason);
        return false;
    };
    if (native.isEmpty())
        return fail(QStringLiteral("No file name."));
    // The replacement keeps the permissions of the file it replaces.
    struct stat st;
    mode_t mode = 0666;
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return fail(QStringLiteral("Not a regular file."));
        mode = st.st_mode & 07777;
    }
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return fail(systemError());
    stepDone();
    bool ok = writeFully(fd, bytes.constData(), size_t(bytes.size()), 0) && syncFile(fd);
    QString reason = ok ? QString() : systemError();
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = systemError();
    }
    if (ok) {
        ok = ::rename(temporary.constData(), native.constData()) == 0;
        if (!ok)
            reason = systemError();
        stepDone();
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return fail(reason);
    }
    syncFolderOf(native);
    return true;
}

void SetRecordFileSync(bool on)
{
    g_sync = on;
}

bool RecordFileSync()
{
    return g_sync;
}

void SetRecordIoObserver(TRecordIoObserver observer)
{
    g_observer = observer;
}
