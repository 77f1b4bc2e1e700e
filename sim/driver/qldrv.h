/* Internal interface of the simulated client driver. */
#ifndef QLDRV_H
#define QLDRV_H

#define QLSIM_KERNEL 1
#include <ntddk.h>
#include "../control/qlsim_control.h"

#define QLDRV_POOL_TAG 0x76646C51u /* "Qldv" */

/* What the driver knows about one open file object (FileObject->FsContext). */
typedef struct QlOpenFile {
    ULONG id;
    ULONG kind;      /* QlSimHandleKind */
    BOOLEAN control; /* opened on the control device */
} QlOpenFile;

/* One request as the driver saw it, passed to the journal. */
typedef struct QlRequest {
    ULONG code;
    PVOID input;
    ULONG inLength;
    PVOID output;
    ULONG outLength;
} QlRequest;

/* qldrv_store.c: simulated state, rules, records and journal, all behind
 * one spin lock. */
void QlStoreInit(void);
void QlStoreFree(void);
void QlStoreReset(void);
void QlStoreLock(KIRQL *irql);
void QlStoreUnlock(KIRQL irql);
QlSimState *QlStoreStateLocked(void);
/* Returns the rule mode for code; *bytes gets the byte count of a short rule. */
ULONG QlStoreRuleFor(ULONG code, ULONG *bytes);
NTSTATUS QlStoreSetRule(const QlSimRule *rule);
/* Copies up to capacity bytes of a record; returns its full length. */
ULONG QlStoreCopyRecord(ULONG id, PVOID target, ULONG capacity);
NTSTATUS QlStoreSetRecord(ULONG id, const VOID *bytes, ULONG length);
void QlJournalOpen(const QlOpenFile *file, ULONG event);
void QlJournalRequest(const QlOpenFile *file, const QlRequest *request,
                      NTSTATUS status, ULONG returned);
ULONG QlJournalRead(PVOID output, ULONG outLength);
void QlJournalClear(void);

/* qldrv_notify.c: pending state-change notifications. */
void QlNotifyInit(void);
NTSTATUS QlNotifyQueue(PIRP irp);
ULONG QlNotifyCompleteAll(void);
ULONG QlNotifyCancelFile(PFILE_OBJECT file);
ULONG QlNotifyPendingCount(void);

/* qldrv_client.c: the client request codes. Fills *returned. */
NTSTATUS QlClientRequest(PIRP irp, const QlOpenFile *file,
                         const QlRequest *request, ULONG *returned);

/* qldrv_control.c: the control channel. */
NTSTATUS QlControlRequest(PIRP irp, ULONG code, ULONG *returned);

#endif
