// The model the crash tests check a reopened contest log against: the records
// whose operations were acknowledged, plus at most one operation that was
// under way when the process died or the power failed.
#pragma once

#include <cstring>
#include <optional>
#include <random>

#include "ObjectTestSupport.h"

namespace mss::store::test {

enum class OpKind : std::uint8_t { Add = 1, Update = 2, Delete = 3 };

// One operation: announced before it runs (done = 0) and reported after it
// was acknowledged (done = 1), with the record as it was then written.
struct OpMessage {
    OpKind kind = OpKind::Add;
    std::uint8_t done = 0;
    std::uint64_t id = 0;
    std::array<std::uint8_t, kLogRecLen> record{};
};

class CrashModel {
  public:
    void Apply(const OpMessage& m) {
        if (!m.done) {
            pending_ = m;
            return;
        }
        pending_.reset();
        if (m.kind == OpKind::Delete)
            acknowledged_.erase(m.id);
        else
            acknowledged_[m.id] = std::vector<std::uint8_t>(m.record.begin(), m.record.end());
    }

    // Checks the reopened log: every acknowledged record with identical bytes,
    // no record twice, nothing unknown, the pending operation either done or
    // not, every index in agreement. Afterwards the model is what was found.
    std::vector<std::string> Check(TFileblockObject& log, int& checks) {
        Contents c = ReadAndCheck(log);
        std::map<std::uint64_t, std::vector<std::uint8_t>> found;
        std::set<std::int32_t> numbers;
        for (auto& [ref, bytes] : c.records) {
            const std::uint64_t id = IdOf(bytes);
            c.Expect(found.emplace(id, bytes).second, "record " + std::to_string(id) + " twice");
            c.Expect(numbers.insert(NumberOf(bytes)).second, "record number twice");
        }
        for (auto& [id, bytes] : acknowledged_) {
            if (pending_ && pending_->id == id) continue;
            auto it = found.find(id);
            c.Expect(it != found.end(), "acknowledged record " + std::to_string(id) + " lost");
            if (it != found.end())
                c.Expect(it->second == bytes, "record " + std::to_string(id) + " changed");
        }
        for (auto& [id, bytes] : found) {
            if (pending_ && pending_->id == id) continue;
            c.Expect(acknowledged_.count(id) == 1, "unknown record " + std::to_string(id));
        }
        if (pending_) CheckPending(found, c);
        checks += c.checks;
        acknowledged_ = std::move(found);
        pending_.reset();
        return c.problems;
    }

    std::size_t Size() const { return acknowledged_.size(); }

  private:
    void CheckPending(const std::map<std::uint64_t, std::vector<std::uint8_t>>& found,
                      Contents& c) const {
        const OpMessage& p = *pending_;
        auto it = found.find(p.id);
        auto before = acknowledged_.find(p.id);
        const std::string what = "pending record " + std::to_string(p.id);
        if (it == found.end()) {
            c.Expect(p.kind != OpKind::Update, what + " lost by an update");
            return;
        }
        const bool asBefore = before != acknowledged_.end() && it->second == before->second;
        // A record being added gets its number from the store, so the number
        // is the one field the announcement cannot know.
        std::vector<std::uint8_t> intended(p.record.begin(), p.record.end());
        if (p.kind == OpKind::Add)
            std::memcpy(intended.data() + kNumberField, it->second.data() + kNumberField, 4);
        c.Expect(asBefore || (p.kind != OpKind::Delete && it->second == intended),
                 what + " is neither the old nor the new record");
    }

    std::map<std::uint64_t, std::vector<std::uint8_t>> acknowledged_;
    std::optional<OpMessage> pending_;
};

// Drives random adds, updates and deletes on a contest log, announcing each
// operation before it runs and reporting it once it is acknowledged.
class LogWorkload {
  public:
    LogWorkload(TFileblockObject& log, std::uint32_t seed, std::uint64_t firstId)
        : log_(log), random_(seed), nextId_(firstId) {
        for (int level = log_.First(kNumberKey); level == 0; level = log_.Next(kNumberKey))
            numbers_[IdOf(log_.RecordBuffer())] = NumberOf(log_.RecordBuffer());
    }

    // One operation; false when the store refused it (ErrorLevel not 0).
    template <class Announce>
    bool Step(Announce announce) {
        const std::size_t count = numbers_.size();
        const int roll = Roll(100);
        if (count < 20 || (count < 120 && roll < 40)) return AddOne(announce);
        if (roll < (count > 150 ? 40 : 70)) return UpdateOne(announce);
        return DeleteOne(announce);
    }

  private:
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void Scramble(std::span<std::uint8_t> record, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int at = 8 + Roll(kLogRecLen - 8);
            if (at >= kIdField && at < kIdField + 8) continue;
            // Few distinct values, so that indexes hold many duplicates.
            record[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>('A' + Roll(4));
        }
    }

    template <class Announce>
    bool AddOne(Announce announce) {
        log_.ClearRecord();
        auto buffer = log_.RecordBuffer();
        Scramble(buffer, 60);
        const std::uint64_t id = nextId_++;
        SetId(buffer, id);
        announce(OpKind::Add, 0, id, buffer);
        if (log_.Add() != 0) return false;
        numbers_[id] = NumberOf(buffer);
        announce(OpKind::Add, 1, id, buffer);
        return true;
    }

    bool FindOne(std::uint64_t& id) {
        auto it = numbers_.begin();
        std::advance(it, Roll(static_cast<int>(numbers_.size())));
        id = it->first;
        return log_.Find(kNumberKey, IntToKey(it->second)) == 0 && IdOf(log_.RecordBuffer()) == id;
    }

    template <class Announce>
    bool UpdateOne(Announce announce) {
        std::uint64_t id = 0;
        if (!FindOne(id)) return false;
        auto buffer = log_.RecordBuffer();
        Scramble(buffer, 1 + Roll(8));
        announce(OpKind::Update, 0, id, buffer);
        if (log_.Update() != 0) return false;
        announce(OpKind::Update, 1, id, buffer);
        return true;
    }

    template <class Announce>
    bool DeleteOne(Announce announce) {
        std::uint64_t id = 0;
        if (!FindOne(id)) return false;
        announce(OpKind::Delete, 0, id, log_.RecordBuffer());
        if (log_.Delete(0) != 0) return false;
        numbers_.erase(id);
        announce(OpKind::Delete, 1, id, std::span<std::uint8_t>());
        return true;
    }

    TFileblockObject& log_;
    std::mt19937 random_;
    std::uint64_t nextId_;
    std::map<std::uint64_t, std::int32_t> numbers_;
};

inline OpMessage MakeMessage(OpKind kind, std::uint8_t done, std::uint64_t id,
                             std::span<const std::uint8_t> record) {
    OpMessage m;
    m.kind = kind;
    m.done = done;
    m.id = id;
    if (!record.empty()) std::memcpy(m.record.data(), record.data(), m.record.size());
    return m;
}

}  // namespace mss::store::test
