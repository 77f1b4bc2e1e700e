/* Holds the address of every export (the generated table), so that the
 * program links only when the import library has each one under the name
 * the header gives it, and starts only when the DLL exports each one. */
int TakeEveryExport(void);

#ifdef QLCLAPI_NO_CRT
/* Linked with lld-link and no C runtime: this is the entry point. */
int start(void) { return TakeEveryExport() == EXPORT_COUNT ? 0 : 3; }
#else
#include <stdio.h>

int main(void) {
    int count = TakeEveryExport();
    printf("%d of %d exports resolved\n", count, EXPORT_COUNT);
    return count == EXPORT_COUNT ? 0 : 3;
}
#endif
