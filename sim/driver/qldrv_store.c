/* The simulated client's state, the rules that make requests misbehave, the
 * records it answers with and the journal of what it received. */
#include "qldrv.h"

typedef struct QlRecord {
    PUCHAR bytes;
    ULONG length;
} QlRecord;

static KSPIN_LOCK g_lock;
static QlSimState g_state;
static QlSimRule g_rules[QLSIM_MAX_RULES];
static QlRecord g_records[QLSIM_RECORD_COUNT];
static QlSimJournalEntry *g_journal;
static ULONG g_journalCount;
static ULONG g_journalDropped;
static ULONG g_sequence;

static void SetDefaultsLocked(void)
{
    ULONG i;
    RtlZeroMemory(&g_state, sizeof g_state);
    g_state.version = QLSIM_DEFAULT_VERSION;
    g_state.connectionState = QLSIM_DEFAULT_STATE;
    g_state.enabled = 1;
    RtlZeroMemory(g_rules, sizeof g_rules);
    for (i = 0; i < QLSIM_RECORD_COUNT; ++i) {
        if (g_records[i].bytes)
            ExFreePoolWithTag(g_records[i].bytes, QLDRV_POOL_TAG);
        g_records[i].bytes = NULL;
        g_records[i].length = 0;
    }
    g_journalCount = 0;
    g_journalDropped = 0;
}

void QlStoreInit(void)
{
    KeInitializeSpinLock(&g_lock);
    g_journal = ExAllocatePoolWithTag(NonPagedPool,
        QLSIM_JOURNAL_CAPACITY * sizeof(QlSimJournalEntry), QLDRV_POOL_TAG);
    SetDefaultsLocked();
}

void QlStoreFree(void)
{
    SetDefaultsLocked();
    if (g_journal)
        ExFreePoolWithTag(g_journal, QLDRV_POOL_TAG);
    g_journal = NULL;
}

void QlStoreReset(void)
{
    KIRQL irql;
    QlStoreLock(&irql);
    SetDefaultsLocked();
    QlStoreUnlock(irql);
}

void QlStoreLock(KIRQL *irql) { KeAcquireSpinLock(&g_lock, irql); }
void QlStoreUnlock(KIRQL irql) { KeReleaseSpinLock(&g_lock, irql); }
QlSimState *QlStoreStateLocked(void) { return &g_state; }

ULONG QlStoreRuleFor(ULONG code, ULONG *bytes)
{
    ULONG i, mode = QLSIM_RULE_NORMAL;
    KIRQL irql;
    *bytes = 0;
    QlStoreLock(&irql);
    for (i = 0; i < QLSIM_MAX_RULES; ++i) {
        if (g_rules[i].mode != QLSIM_RULE_NORMAL && g_rules[i].code == code) {
            mode = g_rules[i].mode;
            *bytes = g_rules[i].bytes;
            break;
        }
    }
    QlStoreUnlock(irql);
    return mode;
}

NTSTATUS QlStoreSetRule(const QlSimRule *rule)
{
    ULONG i, freeSlot = QLSIM_MAX_RULES;
    NTSTATUS status = STATUS_SUCCESS;
    KIRQL irql;
    if (rule->mode > QLSIM_RULE_FILL)
        return STATUS_INVALID_PARAMETER;
    QlStoreLock(&irql);
    for (i = 0; i < QLSIM_MAX_RULES; ++i) {
        if (g_rules[i].mode != QLSIM_RULE_NORMAL && g_rules[i].code == rule->code)
            g_rules[i].mode = QLSIM_RULE_NORMAL;
        if (g_rules[i].mode == QLSIM_RULE_NORMAL && freeSlot == QLSIM_MAX_RULES)
            freeSlot = i;
    }
    if (rule->mode != QLSIM_RULE_NORMAL) {
        if (freeSlot == QLSIM_MAX_RULES)
            status = STATUS_INSUFFICIENT_RESOURCES;
        else
            g_rules[freeSlot] = *rule;
    }
    QlStoreUnlock(irql);
    return status;
}

ULONG QlStoreCopyRecord(ULONG id, PVOID target, ULONG capacity)
{
    ULONG length = 0;
    KIRQL irql;
    if (id == 0 || id >= QLSIM_RECORD_COUNT)
        return 0;
    QlStoreLock(&irql);
    length = g_records[id].length;
    if (target && capacity)
        RtlCopyMemory(target, g_records[id].bytes, length < capacity ? length : capacity);
    QlStoreUnlock(irql);
    return length;
}

NTSTATUS QlStoreSetRecord(ULONG id, const VOID *bytes, ULONG length)
{
    PUCHAR copy = NULL, old;
    KIRQL irql;
    if (id == 0 || id >= QLSIM_RECORD_COUNT || length > QLSIM_MAX_RECORD_BYTES)
        return STATUS_INVALID_PARAMETER;
    if (length) {
        copy = ExAllocatePoolWithTag(NonPagedPool, length, QLDRV_POOL_TAG);
        if (!copy)
            return STATUS_INSUFFICIENT_RESOURCES;
        RtlCopyMemory(copy, bytes, length);
    }
    QlStoreLock(&irql);
    old = g_records[id].bytes;
    g_records[id].bytes = copy;
    g_records[id].length = length;
    QlStoreUnlock(irql);
    if (old)
        ExFreePoolWithTag(old, QLDRV_POOL_TAG);
    return STATUS_SUCCESS;
}

static QlSimJournalEntry *AppendLocked(const QlOpenFile *file, ULONG event)
{
    QlSimJournalEntry *entry;
    if (!g_journal || file->control)
        return NULL;
    if (g_journalCount == QLSIM_JOURNAL_CAPACITY) {
        ++g_journalDropped;
        return NULL;
    }
    entry = &g_journal[g_journalCount++];
    RtlZeroMemory(entry, sizeof *entry);
    entry->sequence = ++g_sequence;
    entry->event = event;
    entry->handleKind = file->kind;
    entry->handleId = file->id;
    return entry;
}

void QlJournalOpen(const QlOpenFile *file, ULONG event)
{
    KIRQL irql;
    QlStoreLock(&irql);
    AppendLocked(file, event);
    QlStoreUnlock(irql);
}

void QlJournalRequest(const QlOpenFile *file, const QlRequest *request,
                      NTSTATUS status, ULONG returned)
{
    QlSimJournalEntry *entry;
    KIRQL irql;
    QlStoreLock(&irql);
    entry = AppendLocked(file, QLSIM_EVENT_REQUEST);
    if (entry) {
        entry->code = request->code;
        entry->inLength = request->inLength;
        entry->outLength = request->outLength;
        entry->status = (ULONG)status;
        entry->returned = returned;
        entry->inNull = request->input == NULL;
        entry->outNull = request->output == NULL;
        if (request->input)
            RtlCopyMemory(entry->input, request->input,
                request->inLength < QLSIM_JOURNAL_INPUT_BYTES ? request->inLength
                                                              : QLSIM_JOURNAL_INPUT_BYTES);
    }
    QlStoreUnlock(irql);
}

ULONG QlJournalRead(PVOID output, ULONG outLength)
{
    QlSimJournalHeader *header = output;
    ULONG fit, bytes;
    KIRQL irql;
    if (outLength < sizeof *header)
        return 0;
    fit = (outLength - sizeof *header) / sizeof(QlSimJournalEntry);
    QlStoreLock(&irql);
    if (fit > g_journalCount)
        fit = g_journalCount;
    header->count = fit;
    header->total = g_journalCount;
    header->dropped = g_journalDropped;
    header->reserved = 0;
    bytes = fit * sizeof(QlSimJournalEntry);
    if (bytes)
        RtlCopyMemory(header + 1, g_journal, bytes);
    QlStoreUnlock(irql);
    return sizeof *header + bytes;
}

void QlJournalClear(void)
{
    KIRQL irql;
    QlStoreLock(&irql);
    g_journalCount = 0;
    g_journalDropped = 0;
    QlStoreUnlock(irql);
}
