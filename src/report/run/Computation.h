// The values of a report run, record by record: the binding of every expression and element
// reference at the start, group changes, function resets and aggregation, the values of data
// field and variable elements, print conditions, and the texts elements show. The layout of
// pages drives these steps in the order the engine fixes:
//   Step to the record (the host refreshes host-fed values); DetectGroupChanges; footers of
//   changed groups and RequestReset of their functions; AcceptGroups; LoadValues;
//   ComputeFunctions (then the host's OnVypoctiFunkce); EvaluateConditions.
// WalkRecords (Walk.h) runs them over all records without pages.
#pragma once

#include <memory>
#include <vector>

#include "report/expr/Expression.h"
#include "report/model/Report.h"

namespace axo::report {

/// Which sections LoadValues fills besides the body, headers, footers and groups.
enum class LoadScope { kStart, kRecord, kEnd };

class ReportComputation : private ValueSource, private NameScope {
  public:
    explicit ReportComputation(TSestavaTyp& report);
    ~ReportComputation() override;
    ReportComputation(const ReportComputation&) = delete;
    ReportComputation& operator=(const ReportComputation&) = delete;

    TSestavaTyp& Report() { return report_; }
    /// The record source: the host-fed values when `onGetData` is set, else the data source
    /// (nullptr without one).
    TBridge* Bridge();

    /// Takes the field names and captions from the data source (data-source mode).
    void ReadFieldLists();
    /// Compiles every expression of the report and binds element references to fields and
    /// functions. References that do not resolve print empty and are listed in Warnings().
    void Prepare();
    /// Czech warnings of the last Prepare, each naming the element or function.
    const std::vector<Text>& Warnings() const { return warnings_; }

    /// Moves through the records (the host's `OnStepData` in host-fed mode), then lets the
    /// host refresh its values; returns the step result bits.
    int Step(int dir);
    /// Lets the host refresh its values without moving (`DoGetData`).
    void GetData();

    /// The start of a run: print date and time, row and page 1, the groups' previous values,
    /// skip-nulls from AllowNullValues, and a reset of every function.
    void StartRun(const DateTime& now);
    /// Compares each group's expression with its previous value; the first group that differs
    /// and every group after it are marked changed. Returns the first changed group, or -1.
    int DetectGroupChanges();
    /// The groups' previous values become their current texts; row-in-group and group
    /// counters follow the changes.
    void AcceptGroups();
    /// Asks every function of reset level `level` (kResetAll: every function) to restart at
    /// its next computation.
    void RequestReset(int level);
    /// Loads data-field and variable elements: the report start section only with kStart, the
    /// report end section only with kEnd.
    void LoadValues(LoadScope scope);
    /// Computes every function in list order, then raises `OnVypoctiFunkce`.
    void ComputeFunctions();
    /// The printable flag of every element: its condition, then the host when it decides.
    void EvaluateConditions();
    /// A new page: page number + 1 and the variables reloaded.
    void NewPage();
    /// Whether a section prints: it exists, is visible and the host does not refuse it.
    bool PrintsSection(int section);

    /// The text an element shows now.
    Text ElementText(int section, int element);
    /// The value of variable n (from 0), with its text.
    TCalcType VariableValue(int n) const;
    /// The value of field n of the current record, with its text.
    TCalcType FieldValue(int field);
    /// The alignment of field n (0 left, 1 right, 2 centre): the source's, as the host's
    /// `OnGetAlignment` leaves it.
    int FieldAlignment(int field);
    /// The data type of field n as the run reads it (after the host's `OnGetDataType`).
    int FieldType(int field) const;
    /// The field a data-field element shows (by name or number, as prepared); -1 when none.
    int ElementField(int section, int element) const;
    /// Evaluates an expression text against the current record; an invalid one gives the
    /// empty value, and its error goes to `error` when given.
    TCalcType EvaluateText(const Text& expression, Need need, ExprError* error = nullptr);

  private:
    struct FieldInfo;
    struct Binding;

    // NameScope
    int FieldIndex(const Text& name) const override;
    int FieldCount() const override;
    bool FieldIsText(int field) const override;
    int FunctionIndex(const Text& name) const override;
    int FunctionCount() const override;
    bool FunctionIsText(int function) const override;
    int VariableCount() const override;
    // ValueSource
    void Field(int field, Need need, TCalcType& out) override;
    void Parameter(int parameter, TCalcType& out) override;
    void Function(int function, Need need, TCalcType& out) override;
    void Variable(int variable, Need need, TCalcType& out) override;

    void BindElement(int section, int index, const TSiReportElement& e, Binding& b);
    void Warn(int section, int index, const TSiReportElement& e, const Text& what);
    const Text& GroupText(int group);
    Text VariableText(const TSiReportElement& e) const;

    TSestavaTyp& report_;
    std::unique_ptr<TBridge> hostFed_;
    std::vector<FieldInfo> fields_;
    std::vector<Expression> functionExpressions_;
    std::vector<Need> functionNeeds_;
    std::vector<Expression> groupExpressions_;
    std::vector<Text> groupTexts_;
    std::vector<bool> groupTextValid_;
    std::vector<std::vector<Binding>> bindings_;  ///< by section, then element
    std::vector<Text> warnings_;
    TCalcType scratch_;  ///< the value of a function expression, reused record by record
};

}  // namespace axo::report
