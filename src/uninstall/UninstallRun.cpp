#include "uninstall/UninstallRun.h"

#include "engine/FileOperations.h"
#include "engine/PathRules.h"
#include "integration/RemovalJournal.h"
#include "integration/RemovalRecordStore.h"
#include "integration/UninstallRegistration.h"
#include "integration/UndoPlan.h"
#include "script/SetupError.h"
#include "uninstall/FillIn.h"
#include "uninstall/GroupRemoval.h"
#include "uninstall/RemovalDialogue.h"
#include "uninstall/UndoActions.h"
#include "uninstall/UninstallCommandLine.h"

#include <algorithm>
#include <span>

namespace {

constexpr const char* kCaption = "Uninstall";

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The entries whose command names this script.
std::vector<UninstallEntry> EntriesOf(const std::string& scriptPath) {
    std::vector<UninstallEntry> entries = ReadUninstallEntries();
    std::erase_if(entries, [&](const UninstallEntry& entry) {
        return !SamePath(ScriptPathOfCommand(entry.uninstallString), scriptPath);
    });
    return entries;
}

std::string StepText(const RemovalRecord& record, const UndoStep& step) {
    switch (step.kind) {
    case UndoStepKind::RestoreIniKey:
        return record.iniKeys[step.index].file;
    case UndoStepKind::RestoreRegistryValue:
        return "Registry: " + record.values[step.index].subKey;
    case UndoStepKind::DeleteCreatedKey:
        return "Registry: " + record.keys[step.index].subKey;
    case UndoStepKind::DeleteGroupItem:
        return "Program group: " + record.items[step.index].group;
    case UndoStepKind::DeleteGroup:
        return "Program group: " + record.groups[step.index].name;
    case UndoStepKind::LowerSharedCount:
        return record.sharedCounts[step.index];
    case UndoStepKind::RemoveFile:
        return record.files[step.index].path;
    case UndoStepKind::DeleteLog:
        return record.logPath;
    case UndoStepKind::RemoveCreatedDirectory:
        return record.directories[step.index];
    case UndoStepKind::RemoveDestination:
        return DirectoryPart(record.scriptPath);
    default:
        return "Registry: " + record.entry;
    }
}

bool IsGroupStep(const UndoStep& step) {
    return step.kind == UndoStepKind::DeleteGroupItem || step.kind == UndoStepKind::DeleteGroup;
}

// The progress is shown while the removal's steps are carried out, however they end.
class ProgressShown {
public:
    ProgressShown(RemovalDialogue& dialogue, const std::string& product, std::size_t steps)
        : dialogue_(dialogue) {
        dialogue_.StartProgress(product, steps);
    }
    ~ProgressShown() { dialogue_.EndProgress(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    RemovalDialogue& dialogue_;
};

// One removal: the proven record, its plan and what it must leave alone.
struct Removal {
    const UninstallEntry& entry;
    const RemovalRecord& record;
    const UndoPlan& plan;
    RemovalBounds bounds;
};

// The record goes once the entry says so: a run after a stop here finds the entry without a
// digest and knows the record was this removal's to delete.
std::optional<KeptObject> DeleteRecord(const Removal& removal, RemovalQuestions& questions) {
    if (!SetEntryText(removal.entry.keyName, kRecordDigestValue, "")) {
        return KeptObject{removal.entry.recordPath, KeptReason::Failed, 0};
    }
    return DeleteInstalledFile(removal.entry.recordPath, questions);
}

std::optional<KeptObject> CarryOutStep(const Removal& removal, const UndoStep& step,
                                       RemovalQuestions& questions) {
    const RemovalRecord& record = removal.record;
    switch (step.kind) {
    case UndoStepKind::RestoreIniKey:
        return RestoreIniKey(record.iniKeys[step.index], removal.bounds);
    case UndoStepKind::RestoreRegistryValue:
        return RestoreRegistryValue(record.values[step.index], removal.bounds);
    case UndoStepKind::DeleteCreatedKey:
        return DeleteCreatedKey(record.keys[step.index]);
    case UndoStepKind::LowerSharedCount:
        DecrementSharedCount(record.sharedCounts[step.index]);
        return std::nullopt;
    case UndoStepKind::RemoveFile:
        return DeleteRecordedFile(record.files[step.index], record, removal.bounds, questions);
    case UndoStepKind::DeleteLog:
        return DeleteInstallLog(record, questions);
    case UndoStepKind::DeleteRecord:
        return DeleteRecord(removal, questions);
    case UndoStepKind::RemoveCreatedDirectory:
        return RemoveEmptyDirectory(record.directories[step.index]);
    case UndoStepKind::RemoveDestination:
        return RemoveDestination(DirectoryPart(record.scriptPath));
    case UndoStepKind::DeleteUninstallEntry:
        return DeleteUninstallEntry(removal.entry.keyName, record);
    default:
        return std::nullopt;
    }
}

void CarryOut(const Removal& removal, RemovalJournal& journal, RemovalDialogue& dialogue,
              RemovalOutcome& outcome) {
    const std::span<const UndoStep> steps = removal.plan.steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (journal.IsDone(i)) {
            continue;
        }
        dialogue.ShowProgress(StepText(removal.record, steps[i]), i);
        if (IsGroupStep(steps[i])) {
            // The group steps stand together: one conversation for all of them.
            std::vector<GroupRemoval> removals;
            std::size_t end = i;
            for (; end < steps.size() && IsGroupStep(steps[end]); ++end) {
                if (steps[end].kind == UndoStepKind::DeleteGroup) {
                    removals.push_back({removal.record.groups[steps[end].index].name, {}});
                } else {
                    const RecordedItem& item = removal.record.items[steps[end].index];
                    removals.push_back({item.group, item.name});
                }
            }
            std::ranges::move(
                RemoveProgramGroups(removals, dialogue.Owner(), dialogue.ShowsWindows()),
                std::back_inserter(outcome.kept));
            for (; i < end; ++i) {
                journal.MarkDone(i);
            }
            --i;
            continue;
        }
        if (std::optional<KeptObject> kept = CarryOutStep(removal, steps[i], dialogue)) {
            if (kept->reason == KeptReason::Stopped) {
                outcome.stopped = true;
                return;
            }
            outcome.kept.push_back(std::move(*kept));
        }
        if (steps[i].kind != UndoStepKind::DeleteUninstallEntry) {
            journal.MarkDone(i);
        }
    }
    dialogue.ShowProgress("", steps.size());
}

int RemoveProduct(RemovalDialogue& dialogue, const UninstallEntry& entry,
                  const RemovalRecord& record) {
    const std::string& product = record.product;
    const UndoPlan plan = MakeUndoPlan(record, DirectoryPart(record.scriptPath));
    RemovalJournal journal(entry.keyName, plan);
    if (!journal.Matches()) {
        dialogue.Tell(
            FillIn("%s cannot be removed safely: its removal was begun by another version of "
                   "the uninstaller, whose steps this one cannot tell apart.\r\n\r\nNothing "
                   "was removed.",
                   {product}),
            product, MB_ICONSTOP);
        return kUninstallRefused;
    }
    const Removal removal{entry, record, plan, {OwnPath(), ClaimsOfOtherProducts(entry.keyName)}};

    RemovalOutcome outcome;
    outcome.notUndone = record.notes;
    outcome.notUndone.insert(outcome.notUndone.end(), plan.refused.begin(), plan.refused.end());
    // The uninstaller itself stays for the other products whoever put it there: not listed.
    for (const std::size_t i : plan.filesThatExistedBefore) {
        if (!SamePath(record.files[i].path, removal.bounds.ownPath)) {
            outcome.kept.push_back({record.files[i].path, KeptReason::ExistedBefore, 0});
        }
    }
    {
        const ProgressShown shown(dialogue, product, plan.steps.size());
        CarryOut(removal, journal, dialogue, outcome);
    }
    dialogue.Tell(RemovalMessage(product, outcome), product,
                  outcome.kept.empty() && !outcome.stopped ? MB_ICONINFORMATION
                                                           : MB_ICONEXCLAMATION);
    return outcome.stopped ? kUninstallDeclined : kUninstallDone;
}

// The entry whose product is to go: the one registered with this script, or, where products
// share a folder and so a script path, the first the user chooses. Nothing when the user
// declines them all.
const UninstallEntry* ChooseEntry(const std::vector<UninstallEntry>& entries,
                                  RemovalDialogue& dialogue) {
    for (const UninstallEntry& entry : entries) {
        const std::string& name = entry.displayName.empty() ? entry.keyName : entry.displayName;
        if (dialogue.AskRemoveProduct(name)) {
            return &entry;
        }
    }
    return nullptr;
}

int Remove(RemovalDialogue& dialogue, const std::string& scriptPath) {
    if (scriptPath.empty()) {
        dialogue.Tell("Usage: KXUN32.EXE <the installed setup script>", kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    if (!IsAbsolutePath(scriptPath)) {
        dialogue.Tell(FillIn("%s is not a full path.\r\n\r\nNothing was removed.", {scriptPath}),
                      kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    const std::vector<UninstallEntry> entries = EntriesOf(scriptPath);
    if (entries.empty()) {
        if (!FileExists(scriptPath)) {
            dialogue.Tell(
                FillIn("There is nothing to remove: %s does not exist (the product was removed "
                       "already).",
                       {scriptPath}),
                kCaption, MB_ICONINFORMATION);
            return kUninstallDone;
        }
        dialogue.Tell(
            FillIn("No installed product is registered with %s.\r\n\r\nNothing was removed.",
                   {scriptPath}),
            kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    const UninstallEntry* chosen = ChooseEntry(entries, dialogue);
    if (!chosen) {
        return kUninstallDeclined;
    }
    const std::string& name = chosen->displayName.empty() ? chosen->keyName : chosen->displayName;
    // A removal stopped after its record went: only the entry is left to remove.
    if (!chosen->recordPath.empty() && chosen->recordDigest.empty() &&
        !FileExists(chosen->recordPath)) {
        static_cast<void>(DeleteUninstallEntry(chosen->keyName, RemovalRecord{}));
        dialogue.Tell(FillIn("%s was removed.", {name}), name, MB_ICONINFORMATION);
        return kUninstallDone;
    }
    std::string why;
    std::optional<RemovalRecord> record = LoadProvenRecord(*chosen, why);
    if (record && !SamePath(record->scriptPath, scriptPath)) {
        why = "its removal record names another script";
        record.reset();
    }
    if (!record) {
        dialogue.Tell(
            FillIn("%s cannot be removed safely: %s.\r\n\r\nNothing was removed.", {name, why}),
            name, MB_ICONSTOP);
        return kUninstallRefused;
    }
    return RemoveProduct(dialogue, *chosen, *record);
}

} // namespace

namespace {

std::unique_ptr<RemovalDialogue> MakeDialogue(HINSTANCE instance,
                                              const UninstallArguments& arguments) {
    if (!arguments.silent) {
        return MakeBoxDialogue(instance);
    }
    return MakeSilentDialogue(arguments.logPath.value_or(DefaultRunLogPath()),
                              arguments.removeShared, arguments.scriptPath);
}

} // namespace

int RunUninstall(HINSTANCE instance, const UninstallArguments& arguments) {
    const std::unique_ptr<RemovalDialogue> dialogue = MakeDialogue(instance, arguments);
    const int exitCode = Remove(*dialogue, arguments.scriptPath);
    dialogue->Finish(exitCode);
    return exitCode;
}
