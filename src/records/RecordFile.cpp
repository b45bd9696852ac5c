#include "records/RecordFile.h"

#include "frame/IoError.h"

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
        done += size_t(put);
    }
    return true;
}

// A torn last record (a size that is not a multiple of the record size) is
// not counted and never read.
int countOf(off_t size, int recordSize)
{
    return int(std::min<qint64>(qint64(size) / recordSize, INT_MAX - 1));
}

} // namespace

TRecordFile::TRecordFile(const QString &path, int recordSize, void *work)
    : m_path(path), m_recordSize(recordSize), m_work(work), m_io(recordSize, '\0')
{
    const QByteArray native = QFile::encodeName(path);
    // Only a file that does not exist is created. An existing file that
    // cannot be opened for reading and writing (permissions, a folder of
    // that name) stays as it is and the object is simply not open: creating
    // it would truncate someone's data.
    if (!native.isEmpty()) {
        m_fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
        if (m_fd < 0 && errno == ENOENT)
            m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
    m_lastIndex = countOf(st.st_size, m_recordSize) - 1;
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

bool TRecordFile::truncateAt(int index)
{
    return ::ftruncate(m_fd, off_t(index) * m_recordSize) == 0;
}

void TRecordFile::raiseTruncateError() const
{
    throw EInOutError(QStringLiteral("Error, Could Not Shorten %1\n%2")
                          .arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
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

void TRecordFile::writeRecord(int index, void *rec)
{
    ++m_writeCalls;
    rawNormalize(rec);
    const void *image = rawDiskImage(rec);
    if (index < 0 || !writeFully(m_fd, static_cast<const char *>(image), size_t(m_recordSize),
                                 off_t(index) * m_recordSize))
        m_status |= IoError;
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

    // Most inserts go behind the last record (a price history grows by
    // date). Where the file is ordered by the search key itself, one look at
    // the last record settles that case: the record lands at the same index
    // with the same bytes as after the full search, and Status and
    // CurrentIndex end as the search would leave them.
    if (m_lastIndex >= 0 && key == rawSearchKey(rec) && readRecord(m_lastIndex, m_work)) {
        const int c = key.compare(rawSearchKey(m_work));
        if (c > 0) {
            m_lastIndex += 1;
            m_currentIndex = m_lastIndex;
            writeRecord(m_currentIndex, rec);
            m_status = duplicates == TDuplicate::Replace ? 0 : NotFound;
            return true;
        }
        if (c == 0) {
            m_currentIndex = m_lastIndex;
            m_status = 0;
            if (duplicates == TDuplicate::Refuse)
                return false;
            writeRecord(m_currentIndex, rec);
            return true;
        }
    }

    if (duplicates == TDuplicate::Replace) {
        if (find(m_work, rawSearchKey(rec), TFindResult::Boolean)) {
            writeRecord(m_currentIndex, rec);
            m_status = 0;
            return true;
        }
    } else if (m_lastIndex >= 0) {
        if (find(m_work, rawSearchKey(rec), TFindResult::Flag) && rawOrderKey(m_work) == key)
            return false;
    }

    // Append, then walk towards the start moving every record with a greater
    // key one place back; `rec` lands directly behind the last smaller key.
    // The keys are examined a block at a time and the greater records moved
    // as blocks: the file ends with the bytes and the position that moving
    // them one by one gives, at a fraction of the calls.
    m_lastIndex += 1;
    m_currentIndex = m_lastIndex;
    writeRecord(m_currentIndex, rec);
    const int blockRecords = std::max(1, kBlockBytes / m_recordSize);
    int hole = m_currentIndex;
    bool placed = false;
    while (hole > 0 && !placed) {
        const int lo = std::max(0, hole - blockRecords);
        const int hi = hole - 1;
        if (!readBlock(lo, hi))
            break;
        int k = hi;
        for (; k >= lo; --k) {
            std::memcpy(m_work, m_block.constData() + qsizetype(k - lo) * m_recordSize, size_t(m_recordSize));
            rawAfterRead(m_work);
            if (!(rawOrderKey(m_work) > key))
                break;
        }
        if (k < hi) {
            const int moved = moveRecords(k + 1, hi, 1);
            if (moved < hi - k) {
                hole = hi - moved + 1;
                break;
            }
        }
        hole = k + 1;
        placed = k >= lo;
    }
    // What the blocks could not do (a failed read) goes on record by record.
    m_currentIndex = hole;
    while (!placed && m_currentIndex > 0) {
        readRecord(m_currentIndex - 1, m_work);
        if (rawOrderKey(m_work) > key) {
            writeRecord(m_currentIndex, m_work);
            m_currentIndex -= 1;
        } else {
            placed = true;
        }
    }
    writeRecord(m_currentIndex, rec);
    if (duplicates == TDuplicate::Replace)
        m_status = 0;
    return true;
}

void TRecordFile::deleteAt(int index)
{
    if (!IsOpen() || index < 0 || index > m_lastIndex)
        return;
    if (index == m_lastIndex) {
        if (!truncateAt(index))
            raiseTruncateError();
    } else {
        const int moved = moveRecords(index + 1, m_lastIndex, -1);
        if (moved > 0)
            m_currentIndex = index + moved - 1;
        for (int i = index + 1 + moved; i <= m_lastIndex; ++i) {
            readRecord(i, m_work);
            m_currentIndex = i - 1;
            writeRecord(m_currentIndex, m_work);
        }
        if (!truncateAt(m_currentIndex + 1))
            raiseTruncateError();
    }
    m_lastIndex = recordCount() - 1;
}

void TRecordFile::deleteThrough(int index)
{
    // A negative index removes nothing (it would only rewrite every record in place).
    if (!IsOpen() || index < 0)
        return;
    if (index >= m_lastIndex) {
        if (!truncateAt(0))
            raiseTruncateError();
    } else {
        int k = moveRecords(index + 1, m_lastIndex, -(index + 1));
        for (; index + 1 + k <= m_lastIndex; ++k) {
            readRecord(index + 1 + k, m_work);
            writeRecord(k, m_work);
        }
        if (!truncateAt(k))
            raiseTruncateError();
    }
    m_lastIndex = recordCount() - 1;
    m_currentIndex = m_lastIndex;
}

void TRecordFile::clear()
{
    if (!IsOpen())
        return;
    (void)truncateAt(0); // a failed truncation here is not reported
    m_lastIndex = -1;
    m_currentIndex = -1;
}
