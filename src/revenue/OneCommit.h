#pragma once

#include "data/Connection.h"

namespace tavolin {

// Writes of one command made durable together: one commit instead of one per posted row. Nothing is
// rolled back; when the command stops on an error, what it posted before stays posted, as always.
class OneCommit {
public:
    explicit OneCommit(Connection* connection) : c_(connection) {
        c_->execute(c_->engine() == Engine::SQLite ? QStringLiteral("BEGIN")
                                                   : QStringLiteral("START TRANSACTION"));
    }
    ~OneCommit() {
        if (!done_) {
            try {
                c_->execute(QStringLiteral("COMMIT"));
            } catch (...) {  // the command's own error is the one the user sees
            }
        }
    }
    void commit() {
        done_ = true;
        c_->execute(QStringLiteral("COMMIT"));
    }
    OneCommit(const OneCommit&) = delete;
    OneCommit& operator=(const OneCommit&) = delete;

private:
    Connection* c_;
    bool done_ = false;
};

}  // namespace tavolin
