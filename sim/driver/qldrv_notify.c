/* Pending state-change notifications (request 0x222588). Each waits in a
 * queue until the connection state changes, its handle is closed, or its
 * caller cancels it. */
#include "qldrv.h"

static KSPIN_LOCK g_queueLock;
static LIST_ENTRY g_queue;

void QlNotifyInit(void)
{
    KeInitializeSpinLock(&g_queueLock);
    InitializeListHead(&g_queue);
}

static void CompleteIrp(PIRP irp, NTSTATUS status)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = 0;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
}

static VOID NTAPI CancelNotification(PDEVICE_OBJECT device, PIRP irp)
{
    KIRQL irql;
    (void)device;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KeAcquireSpinLock(&g_queueLock, &irql);
    /* A completer that lost the race to us left the entry self-linked, so
     * this removal is harmless either way. */
    RemoveEntryList(&irp->Tail.Overlay.ListEntry);
    InitializeListHead(&irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&g_queueLock, irql);
    CompleteIrp(irp, STATUS_CANCELLED);
}

NTSTATUS QlNotifyQueue(PIRP irp)
{
    KIRQL irql;
    KeAcquireSpinLock(&g_queueLock, &irql);
    IoSetCancelRoutine(irp, CancelNotification);
    if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
        KeReleaseSpinLock(&g_queueLock, irql);
        CompleteIrp(irp, STATUS_CANCELLED);
        return STATUS_CANCELLED;
    }
    IoMarkIrpPending(irp);
    InsertTailList(&g_queue, &irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&g_queueLock, irql);
    return STATUS_PENDING;
}

/* Takes every queued IRP that matches file (or all when file is NULL) and
 * whose cancel routine we could still clear, then completes them outside
 * the lock. */
static ULONG CompleteMatching(PFILE_OBJECT file, NTSTATUS status)
{
    LIST_ENTRY done, *entry, *next;
    ULONG count = 0;
    KIRQL irql;
    InitializeListHead(&done);
    KeAcquireSpinLock(&g_queueLock, &irql);
    for (entry = g_queue.Flink; entry != &g_queue; entry = next) {
        PIRP irp = CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry);
        next = entry->Flink;
        if (file && IoGetCurrentIrpStackLocation(irp)->FileObject != file)
            continue;
        RemoveEntryList(entry);
        if (IoSetCancelRoutine(irp, NULL) == NULL) {
            InitializeListHead(entry); /* its cancel routine is running */
            continue;
        }
        InsertTailList(&done, entry);
    }
    KeReleaseSpinLock(&g_queueLock, irql);
    while (!IsListEmpty(&done)) {
        entry = RemoveHeadList(&done);
        CompleteIrp(CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry), status);
        ++count;
    }
    return count;
}

ULONG QlNotifyCompleteAll(void) { return CompleteMatching(NULL, STATUS_SUCCESS); }
/* A null file cancels every pending request (driver unload). */
ULONG QlNotifyCancelFile(PFILE_OBJECT file) { return CompleteMatching(file, STATUS_CANCELLED); }

ULONG QlNotifyPendingCount(void)
{
    LIST_ENTRY *entry;
    ULONG count = 0;
    KIRQL irql;
    KeAcquireSpinLock(&g_queueLock, &irql);
    for (entry = g_queue.Flink; entry != &g_queue; entry = entry->Flink)
        ++count;
    KeReleaseSpinLock(&g_queueLock, irql);
    return count;
}
