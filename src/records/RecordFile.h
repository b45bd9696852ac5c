#pragma once
// The one engine behind every stored register: a flat file of fixed-size
// records, no header, no index, kept in ascending order of a key text so that
// a record is found by binary search and a new one is put into its place by
// shifting the records behind it. The six register classes differ only in
// their record, their key and a few hooks; everything else lives here once.
//
// Errors of record reads, writes and seeks never interrupt the caller: they
// are reported through Status(). Only a failed size query raises EInOutError.
//
// A change that moves or removes records (an insert before the end, a
// delete, a delete-through, a clear) first saves the bytes it will overwrite,
// and the old size, in a rollback journal beside the file ("<file>.jnl",
// flushed to disk). The journal goes once the change is on disk. Opening a
// file whose journal is complete undoes the unfinished change first; a journal
// that is incomplete was written before the file was touched and is dropped.
// So a file is never left half-changed, by a crash or by a full disk: a
// change that cannot be finished is rolled back at once and reported as
// IoError. Appends need no journal: a torn last record is never counted.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

// How a record file is opened. ReadOnly never creates a file (a missing one
// is NotOpen) and refuses every change with IoError; windows that only look
// at a history (the chart) use it.
enum class TOpenMode { ReadWrite, ReadOnly };

// Status flags of a record-file object: the outcome of the last navigation.
enum TRecordStatus : uint16_t {
    NotOpen = 1,  // construction could neither open nor create the file
    IoError = 2,  // a seek, read or write of a record failed
    Boundary = 4, // Next/Prior would leave the file, or ReadAt got a bad index
    NotFound = 16 // Find ended without an equal key
};

class TRecordFile
{
public:
    virtual ~TRecordFile();
    TRecordFile(const TRecordFile &) = delete;
    TRecordFile &operator=(const TRecordFile &) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int CurrentIndex() const { return m_currentIndex; }
    // Callers that walk a file someone else is also walking save and restore
    // the position with this.
    void SetCurrentIndex(int index) { m_currentIndex = index; }
    int LastIndex() const { return m_lastIndex; }
    // The number of records; 0 for an empty file or one that is not open.
    int RecordCount() const { return IsOpen() ? m_lastIndex + 1 : 0; }
    uint16_t Status() const { return m_status; }
    // ReadAt leaves the flags of earlier operations alone, so a change that
    // returns its failure to the caller clears them for the next reader.
    void ClearStatus() { clearStatus(); }

    QString path() const { return m_path; }
    int recordSize() const { return m_recordSize; }
    // False when the file is open for reading only: opened ReadOnly, or its
    // unfinished change could not be undone (OpenProblem() says why).
    bool IsWritable() const { return IsOpen() && !m_readOnly; }
    // Empty, or the text of what kept an existing file from opening for
    // writing; the window that wanted to write shows it.
    QString OpenProblem() const { return m_openProblem; }
    // What a window says when a change of this file failed: the open
    // problem, or that the file could not be opened or written, with its path.
    QString WriteFailureText() const;

    // Replaces the whole file with `records` (disk images, a whole number of
    // records): written to a file beside it, flushed and renamed into place,
    // then reopened. Runs that rewrite a file use it, so a crash leaves the
    // old or the new file and nothing between. On failure the file is as it
    // was, IoError is added and false returned. CurrentIndex goes to 0.
    bool ReplaceAll(const QByteArray &records);
    // The stored bytes of the whole records, exactly as on disk (no price
    // rule, no unscrambling): a run that rewrites some records builds the new
    // image from them, so the records it leaves alone stay byte for byte.
    // False when the file is not open or could not be read to its end.
    bool StoredImage(QByteArray &out) const;
    // Record reads and writes issued to the file since construction.
    qint64 readCalls() const { return m_readCalls; }
    qint64 writeCalls() const { return m_writeCalls; }

protected:
    // Opens an existing file for reading and writing, or creates it when no
    // file of that name exists (ReadOnly: opens an existing file for reading).
    // `work` is a record-sized buffer owned by the typed layer, used by Insert
    // and Delete.
    TRecordFile(const QString &path, int recordSize, void *work, TOpenMode mode = TOpenMode::ReadWrite);
    // Normalises `rec` as a write would and appends its disk image to `out`.
    void appendImage(QByteArray &out, void *rec);

    enum class TFindResult { Flag, Boolean };
    enum class TDuplicate { Refuse, Replace };

    void readCurrent(void *rec);
    void writeCurrent(void *rec);
    void first(void *rec);
    void next(void *rec, int n);
    void prior(void *rec, int n);
    void last(void *rec);
    void readAt(void *rec, int index);
    // Binary search; `rec` and CurrentIndex end at the last record examined.
    // Flag style resets Status, stops on an error and adds NotFound; Boolean
    // style leaves Status alone. Returns whether an equal key was found.
    bool find(void *rec, const QByteArray &key, TFindResult style);
    // Puts `rec` into its place in key order. Returns false when a record
    // with the same key refused it (TDuplicate::Refuse) or the file is not open.
    bool insert(void *rec, TDuplicate duplicates);
    // Reads records from..to (both within the file) a block at a time and
    // hands each, as ReadAt would deliver it, to visit. CurrentIndex ends at
    // the last record handed over, as after ReadAt of each in turn; a failed
    // read adds IoError and stops the scan. Returns whether all were read.
    bool scan(int from, int to, void *rec, const std::function<void(const void *)> &visit);
    void deleteAt(int index);
    void deleteThrough(int index);
    void clear();
    void clearStatus()
    {
        if (IsOpen())
            m_status = 0;
    }

    // ---- what sets one register apart from the others -------------------
    // The text that Find compares.
    virtual QByteArray rawSearchKey(const void *rec) const = 0;
    // The text the file is ordered by (a longer form of the search key for
    // the transaction files; the search key for everything else).
    virtual QByteArray rawOrderKey(const void *rec) const { return rawSearchKey(rec); }
    // Applied to the caller's record before every write (the caller sees it).
    virtual void rawNormalize(void *) {}
    // Applied to every record after it was read.
    virtual void rawAfterRead(void *) {}
    // The bytes stored for a record; a class that keeps some fields in
    // another form on disk returns a converted copy and leaves `rec` alone.
    virtual const void *rawDiskImage(const void *rec) { return rec; }

private:
    bool readRecord(int index, void *rec);
    // Undoes an unfinished change recorded in the journal, if there is one.
    void recoverFromJournal();
    // Saves the bytes from `from` to the end of the file and the file size in
    // the journal, flushed. False (and no journal) when it cannot be written.
    bool beginChange(qint64 from);
    // Flushes the changed file and removes the journal.
    bool endChange();
    // A change failed half-way: the journal's bytes go back now. When even
    // that fails the journal stays for the next open and the object stops
    // writing.
    void undoChange();
    bool appendRecord(void *rec);
    bool readBlock(int from, int to); // into m_block; no flags
    // The bytes a record read from disk is written back as: through the
    // after-read hook, the normalising hook and the disk image, exactly as
    // reading it and writing it again would store it.
    void rewriteImage(const char *stored, char *out);
    // Moves records [from, to] by `by` places (negative: towards the start),
    // a block at a time, processing blocks so that nothing is overwritten
    // before it was read (from the start when moving towards it, else from
    // the end). Returns how many records were moved, counted in processing
    // order; fewer than all when a block could not be read or written, and
    // the caller then finishes record by record.
    int moveRecords(int from, int to, int by);
    bool writeRecord(int index, void *rec);
    int recordCount() const; // raises EInOutError when the size query fails
    bool truncateAt(qint64 index);
    // Where a record with order key `key` goes: behind the last record, from
    // the end, whose order key is not greater. -1 when a read failed.
    int insertionPoint(const QByteArray &key);
    bool refuseChange();

    QString m_path;
    int m_recordSize;
    void *m_work;
    QByteArray m_io; // one record as read, so a failed read leaves the caller's buffer alone
    QByteArray m_block;
    QByteArray m_moved;   // disk images of one moved block
    QByteArray m_record;  // one record being re-imaged
    QByteArray m_journal; // the journal of the change in progress
    QString m_openProblem;
    bool m_readOnly = false;
    int m_fd = -1;
    int m_currentIndex = 0;
    int m_lastIndex = 0;
    uint16_t m_status = 0;
    qint64 m_readCalls = 0;
    qint64 m_writeCalls = 0;
};

// The typed face of the engine for one record kind: the operations every
// register offers, and typed versions of the hooks. Operations only some
// registers have (Prior, Last, Clear, …) are published by those classes.
template <class Rec> class TRecordFileOf : public TRecordFile
{
public:
    // Normalises `rec` as a write would and appends the bytes the file would
    // hold for it to `out`: how runs build the contents for ReplaceAll.
    void AppendImage(QByteArray &out, Rec &rec) { appendImage(out, &rec); }

    void ReadCurrent(Rec &rec) { readCurrent(&rec); }
    void WriteCurrent(Rec &rec) { writeCurrent(&rec); }
    void First(Rec &rec) { first(&rec); }
    void Next(Rec &rec, int n = 1) { next(&rec, n); }
    void ReadAt(Rec &rec, int index) { readAt(&rec, index); }
    void Delete(int index) { deleteAt(index); }

protected:
    explicit TRecordFileOf(const QString &path, TOpenMode mode = TOpenMode::ReadWrite)
        : TRecordFile(path, int(sizeof(Rec)), &m_work, mode)
    {
    }

    virtual QByteArray searchKey(const Rec &rec) const = 0;
    virtual QByteArray orderKey(const Rec &rec) const { return searchKey(rec); }
    virtual void normalize(Rec &) {}
    virtual void afterRead(Rec &) {}
    virtual const Rec *diskImage(const Rec &rec) { return &rec; }

private:
    QByteArray rawSearchKey(const void *rec) const final { return searchKey(*static_cast<const Rec *>(rec)); }
    QByteArray rawOrderKey(const void *rec) const final { return orderKey(*static_cast<const Rec *>(rec)); }
    void rawNormalize(void *rec) final { normalize(*static_cast<Rec *>(rec)); }
    void rawAfterRead(void *rec) final { afterRead(*static_cast<Rec *>(rec)); }
    const void *rawDiskImage(const void *rec) final { return diskImage(*static_cast<const Rec *>(rec)); }

    Rec m_work{};
};

// A register ordered by a description text at the start of its records that
// refuses a second record with the same description (the function file and
// the conversion-format file).
template <class Rec> class TDescribedRecordFile : public TRecordFileOf<Rec>
{
public:
    explicit TDescribedRecordFile(const QString &path, TOpenMode mode = TOpenMode::ReadWrite)
        : TRecordFileOf<Rec>(path, mode)
    {
    }

    // Adds NotFound to Status when no record has exactly this description.
    bool Find(Rec &rec, const QString &description)
    {
        return this->find(&rec, description.toLatin1(), TRecordFile::TFindResult::Flag);
    }
    // Returns `added`: false when the description is already stored.
    bool Insert(Rec &rec) { return this->insert(&rec, TRecordFile::TDuplicate::Refuse); }
    void Insert(Rec &rec, bool &added) { added = Insert(rec); }

protected:
    QByteArray searchKey(const Rec &rec) const override { return rec.Description.bytes(); }
};

// Replaces the file at `path` with `bytes` the same crash-safe way as
// ReplaceAll, for a file no object holds open. On failure the file is as it
// was and `error` (when given) holds a message naming the file.
bool ReplaceFileContents(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Whether changes are flushed to disk (fsync) before they count as done. On
// by default; tests and benchmarks may turn it off to spare the disk.
void SetRecordFileSync(bool on);
bool RecordFileSync();

// Test hook: called after every step that changes a file on disk (a write,
// a truncation, a flush, a rename, a removal), so a test can stop the process
// between any two of them.
using TRecordIoObserver = void (*)();
void SetRecordIoObserver(TRecordIoObserver observer);
