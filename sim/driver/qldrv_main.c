/* Entry, unload and IRP dispatch of the simulated client driver. It creates
 * \Device\QLDRV with the link \DosDevices\QLDRV, which user mode opens as
 * \\.\QLDRV, and the control device \\.\QLDRVSIM. */
#include "qldrv.h"

#define FILE_SYNCHRONOUS_OPTIONS (FILE_SYNCHRONOUS_IO_ALERT | FILE_SYNCHRONOUS_IO_NONALERT)

typedef struct NamedDevice {
    const WCHAR *device;
    const WCHAR *link;
    PDEVICE_OBJECT object;
} NamedDevice;

static NamedDevice g_devices[] = {
    {L"\\Device\\QLDRV", L"\\DosDevices\\QLDRV", NULL},
    {QLSIM_CONTROL_DEVICE_NAME, QLSIM_CONTROL_LINK_NAME, NULL},
};
#define CONTROL_DEVICE 1 /* index in g_devices; the client device is 0 */
#define DEVICE_COUNT (sizeof g_devices / sizeof g_devices[0])

static LONG g_nextFileId;

static NTSTATUS Finish(PIRP irp, NTSTATUS status, ULONG returned)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = returned;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchCreate(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    PFILE_OBJECT fileObject = stack->FileObject;
    QlOpenFile *file;
    BOOLEAN synchronous;
    if (!fileObject)
        return Finish(irp, STATUS_INVALID_PARAMETER, 0);
    file = ExAllocatePoolWithTag(NonPagedPool, sizeof *file, QLDRV_POOL_TAG);
    if (!file)
        return Finish(irp, STATUS_INSUFFICIENT_RESOURCES, 0);
    synchronous = (stack->Parameters.Create.Options & FILE_SYNCHRONOUS_OPTIONS) != 0 ||
                  (fileObject->Flags & FO_SYNCHRONOUS_IO) != 0;
    file->id = (ULONG)InterlockedIncrement(&g_nextFileId);
    file->kind = synchronous ? QLSIM_HANDLE_SYNC : QLSIM_HANDLE_OVERLAPPED;
    file->control = device == g_devices[CONTROL_DEVICE].object;
    fileObject->FsContext = file;
    QlJournalOpen(file, QLSIM_EVENT_OPEN);
    return Finish(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchCleanup(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    QlNotifyCancelFile(IoGetCurrentIrpStackLocation(irp)->FileObject);
    return Finish(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchClose(PDEVICE_OBJECT device, PIRP irp)
{
    PFILE_OBJECT fileObject = IoGetCurrentIrpStackLocation(irp)->FileObject;
    (void)device;
    if (fileObject) {
        QlNotifyCancelFile(fileObject);
        if (fileObject->FsContext) {
            QlJournalOpen(fileObject->FsContext, QLSIM_EVENT_CLOSE);
            ExFreePoolWithTag(fileObject->FsContext, QLDRV_POOL_TAG);
            fileObject->FsContext = NULL;
        }
    }
    return Finish(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const QlOpenFile *file = stack->FileObject ? stack->FileObject->FsContext : NULL;
    QlRequest request;
    ULONG returned = 0;
    NTSTATUS status;
    (void)device;
    request.code = stack->Parameters.DeviceIoControl.IoControlCode;
    if (!file)
        return Finish(irp, STATUS_INVALID_HANDLE, 0);
    if ((request.code >> 16) == QLSIM_DEVICE_TYPE) {
        status = file->control ? QlControlRequest(irp, request.code, &returned)
                               : STATUS_ACCESS_DENIED;
        return Finish(irp, status, returned);
    }
    if ((request.code & 3) == METHOD_BUFFERED) {
        request.input = irp->AssociatedIrp.SystemBuffer;
        request.output = irp->AssociatedIrp.SystemBuffer;
    } else {
        request.input = stack->Parameters.DeviceIoControl.Type3InputBuffer;
        request.output = irp->UserBuffer;
    }
    request.inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    request.outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    status = QlClientRequest(irp, file, &request, &returned);
    QlJournalRequest(file, &request, status, returned);
    if (status == STATUS_PENDING)
        return status; /* queued; completed later */
    return Finish(irp, status, returned);
}

static void DeleteDevices(void)
{
    ULONG i;
    for (i = 0; i < DEVICE_COUNT; ++i) {
        UNICODE_STRING link;
        if (!g_devices[i].object)
            continue;
        RtlInitUnicodeString(&link, g_devices[i].link);
        IoDeleteSymbolicLink(&link);
        IoDeleteDevice(g_devices[i].object);
        g_devices[i].object = NULL;
    }
}

static NTSTATUS CreateDevices(PDRIVER_OBJECT driver)
{
    ULONG i;
    for (i = 0; i < DEVICE_COUNT; ++i) {
        UNICODE_STRING name, link;
        NTSTATUS status;
        RtlInitUnicodeString(&name, g_devices[i].device);
        RtlInitUnicodeString(&link, g_devices[i].link);
        status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_devices[i].object);
        if (!NT_SUCCESS(status)) {
            g_devices[i].object = NULL;
            return status;
        }
        status = IoCreateSymbolicLink(&link, &name);
        if (!NT_SUCCESS(status)) {
            IoDeleteDevice(g_devices[i].object);
            g_devices[i].object = NULL;
            return status;
        }
    }
    return STATUS_SUCCESS;
}

static VOID NTAPI DriverUnload(PDRIVER_OBJECT driver)
{
    (void)driver;
    QlNotifyCancelFile(NULL);
    DeleteDevices();
    QlStoreFree();
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    NTSTATUS status;
    (void)registryPath;
    QlStoreInit();
    QlNotifyInit();
    status = CreateDevices(driver);
    if (!NT_SUCCESS(status)) {
        DeleteDevices();
        QlStoreFree();
        return status;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreate;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
    driver->DriverUnload = DriverUnload;
    return STATUS_SUCCESS;
}
