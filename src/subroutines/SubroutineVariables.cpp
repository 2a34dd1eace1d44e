#include "subroutines/SubroutineVariables.h"

void TSubroutineVariables::Assign(const QByteArray& name, const QByteArray& value) {
    if (!first_.contains(name))
        first_.insert(name, static_cast<qsizetype>(entries_.size()));
    entries_.emplace_back(name, value);
}

bool TSubroutineVariables::Find(const QByteArray& name, QByteArray* value) const {
    const auto it = first_.constFind(name);
    if (it == first_.constEnd())
        return false;
    *value = entries_[static_cast<size_t>(*it)].second;
    return true;
}

void TSubroutineVariables::Clear() {
    entries_.clear();
    first_.clear();
}
