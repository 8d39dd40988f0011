#pragma once
// The two tier walks without their error handlers: they throw RuntimeError.
// MSU2WX and WX2MSU wrap them with the error box; the working of a single
// walk walks them directly, so explaining a result never reports an error a
// second time.
//
// And the record of a calculation's working: while a WorkingRecord is open on
// a thread, the calculation there writes into it the lines that explain its
// rules and the walks it announces, in the order it makes them. The working
// shown for calculators 3 to 5 is this record, so it can never tell another
// story than the calculation that gave the results.

#include <string>
#include <vector>

namespace wexel::detail {

// One step of a tier walk.
struct WalkStep {
    int tier = 0;          // 1-based tier number (1 = Base, 2 = Tier A, ...)
    double units = 0.0;    // capacity units charged (or bought) in this tier
    double slope = 0.0;    // Wexels per unit in this tier
    double wexels = 0.0;   // Wexels spent in this tier
    double subtotal = 0.0; // running total after this step: Wexels (capacity walk) or capacity
};

// The working behind one walk. `result` is the walk's own result, bit for bit.
struct Breakdown {
    std::vector<WalkStep> steps;
    double result = 0.0;
};

// One entry of a recorded working: a line, or a walk (under its heading,
// when it has one).
struct WorkingEntry {
    enum Kind { Line, ToWexels, ToCapacity } kind = Line;
    std::string text; // the line, or the walk's heading
    Breakdown walk;
    bool failed = false; // the walk failed (and was reported): its heading alone
};

class WorkingRecord {
public:
    // Records this thread's calculation into `entries` (cleared) until
    // destroyed; a calculation nested inside records into its own.
    explicit WorkingRecord(std::vector<WorkingEntry>& entries);
    ~WorkingRecord();
    WorkingRecord(const WorkingRecord&) = delete;
    WorkingRecord& operator=(const WorkingRecord&) = delete;

    // The record open on this thread, or null: the calculations build their
    // lines only when someone records them.
    static WorkingRecord* open();

    void line(std::string text);
    // The next walk made is recorded, under `heading` (none when empty).
    void announceWalk(std::string heading);
    // For the walks: whether the walk starting now is to be recorded, and
    // what it did.
    bool walkAnnounced() const { return announced_; }
    void walked(WorkingEntry::Kind kind, Breakdown working, bool failed);

private:
    std::vector<WorkingEntry>& entries_;
    WorkingRecord* outer_;
    bool announced_ = false;
    std::string heading_;
};

// A line of the working, and the announcement of the next walk, built only
// while a record is open.
template <class MakeText> void workingLine(MakeText&& make) {
    if (WorkingRecord* record = WorkingRecord::open()) {
        record->line(make());
    }
}
template <class MakeText> void announceWalk(MakeText&& make) {
    if (WorkingRecord* record = WorkingRecord::open()) {
        record->announceWalk(make());
    }
}

double capacityWalk(const std::string& amount, const std::string& conversionName,
                    Breakdown* working = nullptr);
double wexelWalk(std::string& wexels, const std::string& conversionName, std::string& startCapacity,
                 Breakdown* working = nullptr);

} // namespace wexel::detail
