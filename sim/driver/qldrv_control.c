/* The control channel: METHOD_BUFFERED requests on a control handle that set
 * the simulated state and read what the driver received. */
#include "qldrv.h"

static NTSTATUS SetState(const QlSimState *wanted)
{
    QlSimState *state;
    BOOLEAN moved;
    KIRQL irql;
    QlStoreLock(&irql);
    state = QlStoreStateLocked();
    moved = state->connectionState != wanted->connectionState ||
            state->disconnected != wanted->disconnected;
    *state = *wanted;
    QlStoreUnlock(irql);
    if (moved)
        QlNotifyCompleteAll();
    return STATUS_SUCCESS;
}

static NTSTATUS GetRecord(PUCHAR buffer, ULONG inLength, ULONG outLength, ULONG *returned)
{
    QlSimRecordHeader *header = (QlSimRecordHeader *)buffer;
    ULONG id, length, room;
    if (inLength < sizeof id || outLength < sizeof *header)
        return STATUS_BUFFER_TOO_SMALL;
    RtlCopyMemory(&id, buffer, sizeof id);
    if (id == 0 || id >= QLSIM_RECORD_COUNT)
        return STATUS_INVALID_PARAMETER;
    room = outLength - sizeof *header;
    length = QlStoreCopyRecord(id, header + 1, room);
    header->id = id;
    header->length = length;
    *returned = sizeof *header + (length < room ? length : room);
    return STATUS_SUCCESS;
}

static NTSTATUS SetRecord(const UCHAR *buffer, ULONG inLength)
{
    QlSimRecordHeader header;
    if (inLength < sizeof header)
        return STATUS_BUFFER_TOO_SMALL;
    RtlCopyMemory(&header, buffer, sizeof header);
    if (header.length > inLength - sizeof header)
        return STATUS_INVALID_PARAMETER;
    return QlStoreSetRecord(header.id, buffer + sizeof header, header.length);
}

static NTSTATUS PutWord(PVOID buffer, ULONG outLength, ULONG value, ULONG *returned)
{
    if (outLength >= sizeof value) {
        RtlCopyMemory(buffer, &value, sizeof value);
        *returned = sizeof value;
    }
    return STATUS_SUCCESS;
}

NTSTATUS QlControlRequest(PIRP irp, ULONG code, ULONG *returned)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    PUCHAR buffer = irp->AssociatedIrp.SystemBuffer;
    ULONG inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    KIRQL irql;
    *returned = 0;
    if (!buffer && (inLength || outLength))
        return STATUS_INVALID_PARAMETER;
    switch (code) {
    case QLSIM_CTL_RESET:
        QlStoreReset();
        return STATUS_SUCCESS;
    case QLSIM_CTL_GET_STATE:
        if (outLength < sizeof(QlSimState))
            return STATUS_BUFFER_TOO_SMALL;
        QlStoreLock(&irql);
        RtlCopyMemory(buffer, QlStoreStateLocked(), sizeof(QlSimState));
        QlStoreUnlock(irql);
        *returned = sizeof(QlSimState);
        return STATUS_SUCCESS;
    case QLSIM_CTL_SET_STATE:
        if (inLength < sizeof(QlSimState))
            return STATUS_BUFFER_TOO_SMALL;
        return SetState((const QlSimState *)buffer);
    case QLSIM_CTL_SET_RULE:
        if (inLength < sizeof(QlSimRule))
            return STATUS_BUFFER_TOO_SMALL;
        return QlStoreSetRule((const QlSimRule *)buffer);
    case QLSIM_CTL_READ_JOURNAL:
        if (outLength < sizeof(QlSimJournalHeader))
            return STATUS_BUFFER_TOO_SMALL;
        *returned = QlJournalRead(buffer, outLength);
        return STATUS_SUCCESS;
    case QLSIM_CTL_CLEAR_JOURNAL:
        QlJournalClear();
        return STATUS_SUCCESS;
    case QLSIM_CTL_PENDING_COUNT:
        return PutWord(buffer, outLength, QlNotifyPendingCount(), returned);
    case QLSIM_CTL_COMPLETE_PENDING:
        return PutWord(buffer, outLength, QlNotifyCompleteAll(), returned);
    case QLSIM_CTL_SET_RECORD:
        return SetRecord(buffer, inLength);
    case QLSIM_CTL_GET_RECORD:
        return GetRecord(buffer, inLength, outLength, returned);
    }
    return STATUS_INVALID_DEVICE_REQUEST;
}
