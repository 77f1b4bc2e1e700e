/* Answers to the client's request codes, with each code's transfer method,
 * input and output sizes. Every buffer is checked against the size its code
 * needs before it is touched; a null or short buffer is refused. */
#include <stddef.h>
#include "qldrv.h"

enum Answer {
    ANSWER_WORD,         /* 4-byte field of QlSimState */
    ANSWER_RECORD,       /* fixed-size record, zero-padded */
    ANSWER_ADDRESSES,    /* 56 bytes, or the first 28 for a 28-byte buffer */
    ANSWER_TABLE,        /* as much of the interface table as fits */
    ANSWER_COMMAND,      /* no buffers; changes the state */
    ANSWER_ACTION,       /* 4-byte action word in */
    ANSWER_TAKE_RECORD,  /* fixed-size record in, kept for the tests */
    ANSWER_NOTIFY        /* stays pending until the state changes */
};

typedef struct RequestShape {
    ULONG code;
    ULONG inSize;
    ULONG outSize; /* minimum output; 0 for none */
    ULONG answer;
    ULONG arg;     /* field offset, record id or command */
} RequestShape;

enum Command { CMD_BYPASS, CMD_ENABLE, CMD_SERVER_LIST, CMD_ROUTE_CHECK };

#define WORD_OF(field) offsetof(QlSimState, field)

static const RequestShape kRequests[] = {
    {0x222403, 0, 4, ANSWER_WORD, WORD_OF(version)},
    {0x22241F, 0, 24, ANSWER_RECORD, QLSIM_RECORD_VIRTUAL_ADDRESS},
    {0x22244F, 0, 4, ANSWER_WORD, WORD_OF(connectionState)},
    {0x22245F, 0, 1088, ANSWER_RECORD, QLSIM_RECORD_CONNECTION_DETAILS},
    {0x222487, 0, 0, ANSWER_COMMAND, CMD_BYPASS},
    {0x22248B, 0, 0, ANSWER_COMMAND, CMD_ENABLE},
    {0x2224B7, 0, 4, ANSWER_WORD, WORD_OF(disconnectReason)},
    {0x2224BF, 0, 1, ANSWER_TABLE, QLSIM_RECORD_INTERFACE_TABLE},
    {0x2224D3, 0, 4, ANSWER_WORD, WORD_OF(disconnected)},
    {0x2224DB, 4, 0, ANSWER_ACTION, 0},
    {0x22250F, 0, 28, ANSWER_ADDRESSES, QLSIM_RECORD_SERVER_ADDRESSES},
    {0x22255F, 0, 4, ANSWER_WORD, WORD_OF(connectingPhase)},
    {0x222588, 0, 0, ANSWER_NOTIFY, 0},
    {0x2225A3, 0, 0, ANSWER_COMMAND, CMD_SERVER_LIST},
    {0x22265B, 0, 4, ANSWER_WORD, WORD_OF(trafficBypassed)},
    {0x2226D7, 0, 0, ANSWER_COMMAND, CMD_ROUTE_CHECK},
    {0x22283B, 1540, 0, ANSWER_TAKE_RECORD, QLSIM_RECORD_CREDENTIAL},
    {0x22283F, 1024, 0, ANSWER_TAKE_RECORD, QLSIM_RECORD_CONDITION},
};

#define ACTION_CLIENT_DISCONNECT 50u
#define ACTION_LOG_OFF 51u
#define STATE_CONNECTED 3
#define STATE_DISCONNECTED 5

static const RequestShape *FindShape(ULONG code)
{
    ULONG i;
    for (i = 0; i < sizeof kRequests / sizeof kRequests[0]; ++i)
        if (kRequests[i].code == code)
            return &kRequests[i];
    return NULL;
}

/* Applies change to the simulated state under its lock and completes the
 * pending notifications when the connection state moved. */
typedef void (*StateChange)(QlSimState *state, ULONG arg);

static void ChangeState(StateChange change, ULONG arg)
{
    QlSimState *state;
    qlsim_i32 oldState;
    qlsim_u32 oldDisconnected;
    BOOLEAN moved;
    KIRQL irql;
    QlStoreLock(&irql);
    state = QlStoreStateLocked();
    oldState = state->connectionState;
    oldDisconnected = state->disconnected;
    change(state, arg);
    moved = oldState != state->connectionState || oldDisconnected != state->disconnected;
    QlStoreUnlock(irql);
    if (moved)
        QlNotifyCompleteAll();
}

static void RunCommand(QlSimState *state, ULONG command)
{
    switch (command) {
    case CMD_BYPASS:
        state->bypassed = 1;
        state->trafficBypassed = 1;
        break;
    case CMD_ENABLE:
        state->enabled = 1;
        state->bypassed = 0;
        state->trafficBypassed = 0;
        state->disconnected = 0;
        state->connectionState = STATE_CONNECTED;
        break;
    case CMD_SERVER_LIST:
        ++state->serverListChanges;
        break;
    case CMD_ROUTE_CHECK:
        ++state->routeChecks;
        break;
    }
}

static void TakeAction(QlSimState *state, ULONG action)
{
    state->lastAction = action;
    if (action == ACTION_LOG_OFF || action == ACTION_CLIENT_DISCONNECT) {
        state->disconnectReason = action;
        state->disconnected = 1;
        state->connectionState = STATE_DISCONNECTED;
    }
}

static ULONG ReadWord(ULONG offset)
{
    ULONG value;
    KIRQL irql;
    QlStoreLock(&irql);
    RtlCopyMemory(&value, (PUCHAR)QlStoreStateLocked() + offset, sizeof value);
    QlStoreUnlock(irql);
    return value;
}

/* Writes a record padded with zeros to exactly size bytes. */
static void CopyRecordPadded(ULONG id, PVOID output, ULONG size)
{
    RtlZeroMemory(output, size);
    QlStoreCopyRecord(id, output, size);
}

static NTSTATUS Answer(PIRP irp, const RequestShape *shape, const QlRequest *request,
                       ULONG *returned)
{
    ULONG length;
    *returned = 0;
    switch (shape->answer) {
    case ANSWER_WORD: {
        ULONG value = ReadWord(shape->arg);
        RtlCopyMemory(request->output, &value, sizeof value);
        *returned = sizeof value;
        return STATUS_SUCCESS;
    }
    case ANSWER_RECORD:
        CopyRecordPadded(shape->arg, request->output, shape->outSize);
        *returned = shape->outSize;
        return STATUS_SUCCESS;
    case ANSWER_ADDRESSES:
        length = request->outLength >= 56 ? 56 : 28;
        CopyRecordPadded(shape->arg, request->output, length);
        *returned = length;
        return STATUS_SUCCESS;
    case ANSWER_TABLE:
        length = QlStoreCopyRecord(shape->arg, request->output, request->outLength);
        *returned = length < request->outLength ? length : request->outLength;
        return STATUS_SUCCESS;
    case ANSWER_COMMAND:
        ChangeState(RunCommand, shape->arg);
        return STATUS_SUCCESS;
    case ANSWER_ACTION: {
        ULONG action;
        RtlCopyMemory(&action, request->input, sizeof action);
        ChangeState(TakeAction, action);
        return STATUS_SUCCESS;
    }
    case ANSWER_TAKE_RECORD:
        return QlStoreSetRecord(shape->arg, request->input, shape->inSize);
    case ANSWER_NOTIFY:
        return QlNotifyQueue(irp);
    }
    return STATUS_INVALID_DEVICE_REQUEST;
}

static BOOLEAN BuffersFit(const RequestShape *shape, const QlRequest *request)
{
    if (shape->inSize && (!request->input || request->inLength < shape->inSize))
        return FALSE;
    if (shape->outSize && (!request->output || request->outLength < shape->outSize))
        return FALSE;
    return TRUE;
}

NTSTATUS QlClientRequest(PIRP irp, const QlOpenFile *file, const QlRequest *request,
                         ULONG *returned)
{
    const RequestShape *shape = FindShape(request->code);
    ULONG shortBytes, mode;
    NTSTATUS status;
    (void)file;
    *returned = 0;
    if (!shape)
        return STATUS_INVALID_DEVICE_REQUEST;
    mode = QlStoreRuleFor(request->code, &shortBytes);
    if (mode == QLSIM_RULE_REFUSE)
        return STATUS_INVALID_DEVICE_REQUEST;
    if (!BuffersFit(shape, request))
        return STATUS_INVALID_PARAMETER;
    status = Answer(irp, shape, request, returned);
    if (mode == QLSIM_RULE_SHORT && status == STATUS_SUCCESS && shortBytes < *returned)
        *returned = shortBytes;
    if (mode == QLSIM_RULE_FILL && status == STATUS_SUCCESS && request->output && request->outLength) {
        RtlZeroMemory((PUCHAR)request->output + *returned, request->outLength - *returned);
        *returned = request->outLength;
    }
    return status;
}
