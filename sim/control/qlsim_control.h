/*
 * Control channel of the simulated client driver.
 *
 * Shared by the driver, the tests, qlsim.exe and the benchmarks. Control
 * requests use a device type of their own (0x8A51), so none of them can ever
 * equal a client request code (device type 0x22). They are METHOD_BUFFERED and
 * are only accepted on a handle of the driver's second device, \\.\QLDRVSIM;
 * such handles are never journaled, so a test can watch the library without
 * seeing itself. (A second device rather than a path below \\.\QLDRV: Wine
 * does not hand a device the rest of a path.)
 *
 * Plain C with fixed-width types only: this header is compiled in kernel mode.
 */
#ifndef QLSIM_CONTROL_H
#define QLSIM_CONTROL_H

#ifdef QLSIM_KERNEL
typedef unsigned char qlsim_u8;
typedef unsigned int qlsim_u32;
typedef int qlsim_i32;
#else
#include <stdint.h>
typedef uint8_t qlsim_u8;
typedef uint32_t qlsim_u32;
typedef int32_t qlsim_i32;
#endif

#define QLSIM_CONTROL_PATH L"\\\\.\\QLDRVSIM"
#define QLSIM_CONTROL_DEVICE_NAME L"\\Device\\QLDRVSIM"
#define QLSIM_CONTROL_LINK_NAME L"\\DosDevices\\QLDRVSIM"
#define QLSIM_SERVICE_NAME L"QLDRV"

#define QLSIM_DEVICE_TYPE 0x8A51u
#define QLSIM_CTL(fn) ((QLSIM_DEVICE_TYPE << 16) | ((fn) << 2))

/* in: none. Restores the defaults below, clears rules, journal and records,
 * completes nothing (pending notifications stay pending). */
#define QLSIM_CTL_RESET QLSIM_CTL(0x901u)
/* out: QlSimState */
#define QLSIM_CTL_GET_STATE QLSIM_CTL(0x902u)
/* in: QlSimState. Completes the pending notifications when connectionState
 * or disconnected changes. */
#define QLSIM_CTL_SET_STATE QLSIM_CTL(0x903u)
/* in: QlSimRule. A rule for a code replaces the previous one; mode
 * QLSIM_RULE_NORMAL removes it. */
#define QLSIM_CTL_SET_RULE QLSIM_CTL(0x904u)
/* out: QlSimJournalHeader followed by as many QlSimJournalEntry as fit. */
#define QLSIM_CTL_READ_JOURNAL QLSIM_CTL(0x905u)
#define QLSIM_CTL_CLEAR_JOURNAL QLSIM_CTL(0x906u)
/* out: qlsim_u32 number of pending notification requests */
#define QLSIM_CTL_PENDING_COUNT QLSIM_CTL(0x907u)
/* out (optional): qlsim_u32 number completed */
#define QLSIM_CTL_COMPLETE_PENDING QLSIM_CTL(0x908u)
/* in: QlSimRecordHeader followed by the record's bytes */
#define QLSIM_CTL_SET_RECORD QLSIM_CTL(0x909u)
/* in: qlsim_u32 record id; out: QlSimRecordHeader followed by the bytes */
#define QLSIM_CTL_GET_RECORD QLSIM_CTL(0x90Au)

/* Defaults after load and after QLSIM_CTL_RESET. */
#define QLSIM_DEFAULT_VERSION 0x0C0C422Fu
#define QLSIM_DEFAULT_STATE 1

typedef struct QlSimState {
    qlsim_u32 version;          /* answer to 0x222403 */
    qlsim_i32 connectionState;  /* answer to 0x22244F */
    qlsim_u32 disconnected;     /* answer to 0x2224D3 */
    qlsim_u32 disconnectReason; /* answer to 0x2224B7 */
    qlsim_u32 connectingPhase;  /* answer to 0x22255F */
    qlsim_u32 trafficBypassed;  /* answer to 0x22265B */
    qlsim_u32 enabled;          /* set by 0x22248B */
    qlsim_u32 bypassed;         /* set by 0x222487 */
    qlsim_u32 lastAction;       /* last word received with 0x2224DB */
    qlsim_u32 routeChecks;      /* number of 0x2226D7 received */
    qlsim_u32 serverListChanges;/* number of 0x2225A3 received */
    qlsim_u32 reserved[5];
} QlSimState;

enum QlSimRuleMode {
    QLSIM_RULE_NORMAL = 0,
    QLSIM_RULE_REFUSE = 1, /* fails with STATUS_INVALID_DEVICE_REQUEST */
    QLSIM_RULE_SHORT = 2,  /* succeeds but returns only `bytes` bytes */
    QLSIM_RULE_FILL = 3    /* succeeds and claims the whole output buffer, zero-padded */
};

typedef struct QlSimRule {
    qlsim_u32 code;
    qlsim_u32 mode;
    qlsim_u32 bytes;
} QlSimRule;

#define QLSIM_MAX_RULES 32

enum QlSimHandleKind {
    QLSIM_HANDLE_SYNC = 1,       /* opened without FILE_FLAG_OVERLAPPED */
    QLSIM_HANDLE_OVERLAPPED = 2
};

enum QlSimEventKind {
    QLSIM_EVENT_OPEN = 1,
    QLSIM_EVENT_REQUEST = 2,
    QLSIM_EVENT_CLOSE = 3
};

#define QLSIM_JOURNAL_INPUT_BYTES 16u
#define QLSIM_JOURNAL_CAPACITY 1024u

typedef struct QlSimJournalEntry {
    qlsim_u32 sequence;
    qlsim_u32 event;      /* QlSimEventKind */
    qlsim_u32 handleKind; /* QlSimHandleKind */
    qlsim_u32 handleId;   /* distinct per open, starting at 1 after load */
    qlsim_u32 code;       /* request code, 0 for open and close */
    qlsim_u32 inLength;   /* input length the caller passed */
    qlsim_u32 outLength;  /* output length the caller passed */
    qlsim_u32 status;     /* NTSTATUS the driver answered */
    qlsim_u32 returned;   /* bytes the driver returned */
    qlsim_u32 inNull;     /* 1 when the input pointer was null */
    qlsim_u32 outNull;    /* 1 when the output pointer was null */
    qlsim_u8 input[QLSIM_JOURNAL_INPUT_BYTES]; /* first input bytes */
} QlSimJournalEntry;

typedef struct QlSimJournalHeader {
    qlsim_u32 count;   /* entries that follow */
    qlsim_u32 total;   /* entries held by the driver */
    qlsim_u32 dropped; /* entries lost because the journal was full */
    qlsim_u32 reserved;
} QlSimJournalHeader;

/* Records the driver answers with, or keeps for a test to read back. */
enum QlSimRecordId {
    QLSIM_RECORD_CONNECTION_DETAILS = 1, /* 1088 bytes, answer to 0x22245F */
    QLSIM_RECORD_VIRTUAL_ADDRESS = 2,    /* 24 bytes, answer to 0x22241F */
    QLSIM_RECORD_SERVER_ADDRESSES = 3,   /* 56 bytes, answer to 0x22250F */
    QLSIM_RECORD_INTERFACE_TABLE = 4,    /* any length, answer to 0x2224BF */
    QLSIM_RECORD_CREDENTIAL = 5,         /* last 1540 bytes of 0x22283B */
    QLSIM_RECORD_CONDITION = 6,          /* last 1024 bytes of 0x22283F */
    QLSIM_RECORD_COUNT = 7
};

#define QLSIM_MAX_RECORD_BYTES (1024u * 1024u)

typedef struct QlSimRecordHeader {
    qlsim_u32 id;
    qlsim_u32 length;
} QlSimRecordHeader;

#endif
