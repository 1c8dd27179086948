#include "store/database.h"

#include <sqlite3.h>

namespace czx {

StoreError::StoreError(int code, int extendedCode, const std::string& message,
                       std::string statement, std::string file)
    : Error(code, message + (statement.empty() ? "" : " [statement: " + statement + "]") +
                      (file.empty() ? "" : " [file: " + file + "]")),
      extendedCode_(extendedCode),
      statement_(std::move(statement)),
      file_(std::move(file)) {}

StoreError::StoreError(Plain, int code, int extendedCode, const std::string& message,
                       std::string statement, std::string file)
    : Error(code, message),
      extendedCode_(extendedCode),
      statement_(std::move(statement)),
      file_(std::move(file)) {}

StoreError StoreError::plain(int code, int extendedCode, const std::string& message,
                             std::string statement, std::string file) {
    return StoreError(Plain{}, code, extendedCode, message, std::move(statement), std::move(file));
}

bool StoreError::diskFull() const {
    return code() == SQLITE_FULL;
}

std::string bracket(std::string_view identifier) {
    return "[" + std::string(identifier) + "]";
}

// ---- Statement ------------------------------------------------------------

Statement::Statement(Connection& connection, std::string_view sql) : connection_(&connection) {
    if (!connection.isOpen())
        throw StoreError(SQLITE_MISUSE, SQLITE_MISUSE, "The connection is closed", std::string(sql),
                         "");
    int rc = sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()),
                                &stmt_, nullptr);
    if (rc != SQLITE_OK) connection.fail(rc, sql);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : connection_(other.connection_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        connection_ = other.connection_;
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Statement::fail(int rc) const {
    const char* sql = stmt_ ? sqlite3_sql(stmt_) : "";
    connection_->fail(rc, sql ? sql : "");
}

Statement& Statement::bind(int index, const Value& value) {
    return std::visit(
        [&](const auto& v) -> Statement& {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return bindNull(index);
            else if constexpr (std::is_same_v<T, std::string>)
                return bind(index, std::string_view(v));
            else
                return bind(index, v);
        },
        value);
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (int rc = sqlite3_bind_int64(stmt_, index, value); rc != SQLITE_OK) fail(rc);
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (int rc = sqlite3_bind_double(stmt_, index, value); rc != SQLITE_OK) fail(rc);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) fail(rc);
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (int rc = sqlite3_bind_null(stmt_, index); rc != SQLITE_OK) fail(rc);
    return *this;
}

Statement& Statement::bindPointer(int index, void* pointer, const char* type) {
    if (int rc = sqlite3_bind_pointer(stmt_, index, pointer, type, nullptr); rc != SQLITE_OK)
        fail(rc);
    return *this;
}

bool Statement::step() {
    connection_->requireOpenTransaction();
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    fail(rc);
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}
std::string Statement::columnName(int index) const {
    return sqlite3_column_name(stmt_, index);
}
bool Statement::isNull(int index) const {
    return sqlite3_column_type(stmt_, index) == SQLITE_NULL;
}
Statement::Kind Statement::columnKind(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_INTEGER:
            return Kind::Integer;
        case SQLITE_FLOAT:
            return Kind::Real;
        case SQLITE_NULL:
            return Kind::Null;
        case SQLITE_BLOB:
            return Kind::Blob;
        default:
            return Kind::Text;
    }
}
std::int64_t Statement::columnInt(int index) const {
    return sqlite3_column_int64(stmt_, index);
}
double Statement::columnDouble(int index) const {
    return sqlite3_column_double(stmt_, index);
}

std::string_view Statement::columnTextView(int index) const {
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
    if (!text) return {};
    return std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, index)));
}

std::string Statement::columnText(int index) const {
    return std::string(columnTextView(index));
}

Value Statement::column(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_INTEGER:
            return columnInt(index);
        case SQLITE_FLOAT:
            return columnDouble(index);
        case SQLITE_NULL:
            return std::monostate{};
        default:
            return columnText(index);
    }
}

// ---- Connection -----------------------------------------------------------

Connection Connection::openWith(const std::filesystem::path& file, int flags) {
    sqlite3* db = nullptr;
    std::string name = file.string();
    int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        int extended = db ? sqlite3_extended_errcode(db) : rc;
        sqlite3_close(db);
        throw StoreError(rc, extended, "Cannot open the database: " + message, "", name);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    Connection connection(db, name);
    // Reading the schema proves the file is a database; SQLite opens any file lazily.
    connection.execute("PRAGMA schema_version");
    return connection;
}

// A connection is used by one thread at a time, so SQLite's own locking of
// every call (a mutex per column read) is switched off.
Connection Connection::open(const std::filesystem::path& file) {
    return openWith(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
}

Connection Connection::create(const std::filesystem::path& file) {
    return openWith(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

Connection Connection::inMemory() {
    return openWith(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

Connection::Connection(Connection&& other) noexcept
    : db_(other.db_),
      file_(std::move(other.file_)),
      transactionOpen_(other.transactionOpen_),
      lostBecause_(std::move(other.lostBecause_)) {
    other.db_ = nullptr;
    other.transactionOpen_ = false;
}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        db_ = other.db_;
        file_ = std::move(other.file_);
        transactionOpen_ = other.transactionOpen_;
        lostBecause_ = std::move(other.lostBecause_);
        other.db_ = nullptr;
        other.transactionOpen_ = false;
    }
    return *this;
}

Connection::~Connection() {
    close();
}

void Connection::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Connection::fail(int rc, std::string_view statement) {
    fail(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc), statement);
}

void Connection::fail(int rc, const std::string& message, std::string_view statement) {
    const int code = rc & 0xff;
    const int extended = db_ ? sqlite3_extended_errcode(db_) : rc;
    const std::string diskFull = "The disk is full: the changes to " + file_ + " were not saved.";
    if (transactionOpen_ && db_) {
        // On a full disk SQLite keeps the transaction after some statements
        // and drops it after others; ending it here gives the caller one
        // outcome to handle, and no later statement can fill the disk more.
        if (code == SQLITE_FULL && !sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        if (sqlite3_get_autocommit(db_)) {
            lostBecause_ = StoreError::plain(
                code, extended,
                code == SQLITE_FULL ? diskFull
                                    : message + ": the changes to " + file_ + " were undone.",
                std::string(statement), file_);
            throw *lostBecause_;
        }
    }
    if (code == SQLITE_FULL)
        throw StoreError::plain(code, extended, diskFull, std::string(statement), file_);
    throw StoreError(code, extended, message, std::string(statement), file_);
}

void Connection::requireOpenTransaction() const {
    if (!transactionOpen_ || !db_ || !sqlite3_get_autocommit(db_)) return;
    if (lostBecause_) throw *lostBecause_;
    throw StoreError::plain(SQLITE_MISUSE, SQLITE_MISUSE,
                            "The transaction on " + file_ + " ended before its work was done.", "",
                            file_);
}

void Connection::execute(std::string_view sql) {
    std::string text(sql);
    if (!db_)
        throw StoreError(SQLITE_MISUSE, SQLITE_MISUSE, "The connection is closed", text, file_);
    requireOpenTransaction();
    char* message = nullptr;
    int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string why = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        fail(rc, why, text);
    }
}

void Connection::execute(std::string_view sql, const std::vector<Value>& parameters) {
    Statement statement(*this, sql);
    for (size_t i = 0; i < parameters.size(); ++i)
        statement.bind(static_cast<int>(i + 1), parameters[i]);
    statement.run();
}

std::vector<std::string> Connection::columnNames(std::string_view table) {
    std::vector<std::string> names;
    Statement query(*this, "SELECT name FROM pragma_table_info(?) ORDER BY cid");
    query.bind(1, table);
    while (query.step()) names.push_back(query.columnText(0));
    return names;
}

bool Connection::hasTable(std::string_view table) {
    Statement query(*this,
                    "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE");
    query.bind(1, table);
    return query.step();
}

void Connection::executeQuietly(std::string_view sql) noexcept {
    if (!db_) return;
    try {
        sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr);
    } catch (...) {
        // Only the copy of the text can throw (out of memory): nothing was run.
    }
}

std::int64_t Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}
std::int64_t Connection::changes() const {
    return sqlite3_changes64(db_);
}
bool Connection::inTransaction() const {
    return db_ && !sqlite3_get_autocommit(db_);
}

// ---- Transaction ----------------------------------------------------------

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.execute("BEGIN IMMEDIATE");
    connection_.transactionOpen_ = true;
    connection_.lostBecause_.reset();
    active_ = true;
}

Transaction::~Transaction() {
    // Never throw from a destructor: a failed rollback leaves nothing to undo,
    // and a transaction SQLite has already ended has nothing to roll back.
    if (active_ && connection_.isOpen() && connection_.inTransaction())
        sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    if (active_) {
        connection_.transactionOpen_ = false;
        connection_.lostBecause_.reset();
    }
}

void Transaction::commit() {
    if (!active_) return;
    // A refused COMMIT that ends the transaction is thrown as the loss of
    // the changes; one that keeps it open leaves the rollback to the
    // destructor.
    connection_.execute("COMMIT");
    connection_.transactionOpen_ = false;
    connection_.lostBecause_.reset();
    active_ = false;
}

}  // namespace czx
