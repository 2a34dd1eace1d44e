#pragma once

#include <QByteArray>
#include <QHash>
#include <utility>
#include <vector>

// The variables of one run, in order of assignment. Entries are only appended; a name
// assigned again gets a second entry that lookups never reach, so the first value stays.
class TSubroutineVariables {
public:
    void Assign(const QByteArray& name, const QByteArray& value);
    // The value first assigned to exactly this name; false when it was never assigned.
    bool Find(const QByteArray& name, QByteArray* value) const;
    bool IsEmpty() const { return entries_.empty(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear();

private:
    std::vector<std::pair<QByteArray, QByteArray>> entries_;
    QHash<QByteArray, qsizetype> first_;
};

// The state of one run that line processing and the statements share.
struct TSubroutineRunState {
    TSubroutineVariables Variables;
    bool TrimVarsEnabled = true;
    int PassCounter = 1;
};
