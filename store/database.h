#pragma once
// The connection to a database file and the statements run on it, over
// SQLite's C API. sqlite3.h stays out of this header.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/trail.h"
#include "store/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace czx {

// A failure of the database engine: which statement, which file, and
// SQLite's own result codes. The error trail shows it as "<message> (<code>)".
class StoreError : public Error {
  public:
    // The message is followed by the statement and the file, for the developer.
    StoreError(int code, int extendedCode, const std::string& message, std::string statement,
               std::string file);
    // A failure a person can act on, told in a sentence that already names
    // the file (a full disk, a transaction SQLite ended): the message is
    // shown as it is; the statement and the file stay available.
    static StoreError plain(int code, int extendedCode, const std::string& message,
                            std::string statement, std::string file);
    int code() const { return number(); }
    int extendedCode() const { return extendedCode_; }
    // The disk (or the file's size limit) left no room for the write.
    bool diskFull() const;
    const std::string& statement() const { return statement_; }
    const std::string& file() const { return file_; }

  private:
    struct Plain {};
    StoreError(Plain, int code, int extendedCode, const std::string& message, std::string statement,
               std::string file);
    int extendedCode_;
    std::string statement_;
    std::string file_;
};

class Connection;

// A prepared statement. Bind parameters (1-based), then step through rows.
class Statement {
  public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const Value& value);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bindNull(int index);
    // Passes `pointer` to an SQL function of ours that asks for `type` (a
    // string literal); SQL itself can neither read nor forge it.
    Statement& bindPointer(int index, void* pointer, const char* type);
    // Returns true while a row is available.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    enum class Kind { Null, Integer, Real, Text, Blob };
    int columnCount() const;
    Kind columnKind(int index) const;
    std::string columnName(int index) const;
    bool isNull(int index) const;
    std::int64_t columnInt(int index) const;
    double columnDouble(int index) const;
    std::string columnText(int index) const;
    std::string_view columnTextView(int index) const;
    Value column(int index) const;

  private:
    [[noreturn]] void fail(int rc) const;
    Connection* connection_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Connection {
  public:
    // Opens an existing database file. A missing file, or one that is not a
    // database, is a StoreError; nothing is created by opening.
    static Connection open(const std::filesystem::path& file);
    // Creates (or opens) a file for writing, for the programs' own new files.
    static Connection create(const std::filesystem::path& file);
    static Connection inMemory();

    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    ~Connection();

    const std::string& file() const { return file_; }
    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Runs one or more statements without results.
    void execute(std::string_view sql);
    // Runs one statement with bound parameters.
    void execute(std::string_view sql, const std::vector<Value>& parameters);
    Statement prepare(std::string_view sql) { return Statement(*this, sql); }

    // Schema queries: a table's column names, and whether a table exists.
    std::vector<std::string> columnNames(std::string_view table);
    bool hasTable(std::string_view table);

    // Runs one or more statements without results, ignoring any failure: for
    // destructors, which must never throw.
    void executeQuietly(std::string_view sql) noexcept;

    std::int64_t lastInsertRowId() const;
    // The rows the last INSERT, UPDATE or DELETE wrote.
    std::int64_t changes() const;
    bool inTransaction() const;
    sqlite3* handle() const { return db_; }
    // Throws the failure `rc` of the last call on this connection.
    //
    // While one of our Transactions is open, a failure may have ended it:
    // SQLite rolls a transaction back by itself on some errors (an I/O error,
    // a full disk), and carrying on would write the rest in autocommit. A
    // full disk inside a transaction always ends it here, whether SQLite
    // kept it or not. Such a failure is thrown as "The disk is full: the
    // changes to <file> were not saved." or "<SQLite's message>: the changes
    // to <file> were undone.", and every later statement until the
    // Transaction ends throws it again, so that nothing is written outside
    // the transaction. A full disk outside a transaction says the same
    // first sentence; other failures keep SQLite's message, the statement
    // and the file.
    [[noreturn]] void fail(int rc, std::string_view statement);

  private:
    friend class Statement;
    friend class Transaction;
    Connection(sqlite3* db, std::string file) : db_(db), file_(std::move(file)) {}
    static Connection openWith(const std::filesystem::path& file, int flags);
    [[noreturn]] void fail(int rc, const std::string& message, std::string_view statement);
    // Throws when one of our Transactions is open but SQLite has ended it.
    void requireOpenTransaction() const;
    sqlite3* db_ = nullptr;
    std::string file_;
    bool transactionOpen_ = false;           // one of our Transactions is open
    std::optional<StoreError> lostBecause_;  // the failure that ended it
};

// A write transaction: it begins with BEGIN IMMEDIATE, so that what is read
// inside it (the company row) cannot change before it commits, and another
// writer waits or fails at the start rather than half-way. Rolls back in its
// destructor unless committed; never throws from it. While it is open the
// connection notices when SQLite ends it on a failure (see Connection::fail).
class Transaction {
  public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Connection& connection_;
    bool active_ = false;
};

// Quotes an identifier in square brackets for SQL text.
std::string bracket(std::string_view identifier);

}  // namespace czx
