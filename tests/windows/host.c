/* A host program as a Windows application links the library: it loads lintrel.dll at run time
 * and binds each export by its undecorated name with the standard calling convention, then
 * reads the version, makes and frees a vect, imports a drawing and walks its rings, asks for a
 * controller that does not answer, and, when an address is given, connects to a controller
 * (over Winsock, with the controller's greeting exchanged).
 * Usage: host DRAWING VECT_COUNT [CONTROLLER_ADDRESS] */
#include <windows.h>

#include <lintrel/lintrel.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../support/c_check.h"

typedef char*(__stdcall* VersionFn)(void);
typedef Vect*(__stdcall* NewVectFn)(void);
typedef int(__stdcall* DeleteFn)(void* item);
typedef VectGroup*(__stdcall* ImportFn)(const char* fileName, double pltUnits, int options,
                                        double precision, int moveToOrigin);
typedef int(__stdcall* OpenEthFn)(const char* address, void** handle);

/* An export by name, as the generic function pointer that converts to any function type. */
typedef void (*AnyFn)(void);
static AnyFn bindExport(HMODULE dll, const char* name) {
    FARPROC f = GetProcAddress(dll, name);
    if (!f) {
        fprintf(stderr, "lintrel.dll exports no %s\n", name);
        exit(1);
    }
    return (AnyFn)f;
}

/* Counts the vects of a group chain, checking that every ring closes both ways. */
static int countVects(VectGroup* first) {
    int count = 0;
    VectGroup* g = first;
    do {
        CHECK(g->type == LINTREL_GROUP);
        CHECK(g->next->prev == g);
        Vect* v = g->vects;
        if (v) {
            do {
                CHECK(v->type >= LINTREL_POINT && v->type <= LINTREL_TEXT);
                CHECK(v->next->prev == v);
                CHECK(v->segs != NULL);
                ++count;
                v = v->next;
            } while (v != g->vects);
        }
        g = g->next;
    } while (g != first);
    return count;
}

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: host DRAWING VECT_COUNT [CONTROLLER_ADDRESS]\n");
        return 2;
    }
    HMODULE dll = LoadLibraryA("lintrel.dll");
    if (!dll) {
        fprintf(stderr, "lintrel.dll does not load (error %lu)\n", GetLastError());
        return 1;
    }
    VersionFn version = (VersionFn)bindExport(dll, "Lintrel_GetVerSionInfo");
    NewVectFn newVect = (NewVectFn)bindExport(dll, "VarnixCad3_NewVect");
    DeleteFn deleteItem = (DeleteFn)bindExport(dll, "VarnixCad3_ItemDelete");
    DeleteFn deleteChain = (DeleteFn)bindExport(dll, "VarnixCad3_DeleteChain");
    ImportFn import = (ImportFn)bindExport(dll, "VarnixCad3_ImportVectGraph");
    OpenEthFn openEth = (OpenEthFn)bindExport(dll, "Lintrel_OpenEth");
    /* Decorated names are not exported. */
    CHECK(GetProcAddress(dll, "_VarnixCad3_NewVect@0") == NULL);
    CHECK(GetProcAddress(dll, "VarnixCad3_NewVect@0") == NULL);

    const char* text = version();
    CHECK(text != NULL && strncmp(text, "3.", 2) == 0);
    printf("version %s\n", text ? text : "(null)");

    Vect* vect = newVect();
    CHECK(vect != NULL && vect->type / 1000 * 1000 == LINTREL_BASE_VECT && vect->next == vect);
    CHECK(deleteItem(vect) == LINTREL_OK);

    VectGroup* groups = import(argv[1], 1016, 1, 0.05, 0);
    CHECK(groups != NULL);
    if (groups) {
        const int vects = countVects(groups);
        printf("%s: %d vects\n", argv[1], vects);
        CHECK(vects == atoi(argv[2]));
        CHECK(deleteChain(groups) == LINTREL_OK);
    }
    CHECK(import("no such drawing.dxf", 1016, 1, 0.05, 0) == NULL);

    /* Nothing listens on port 1 of the loopback address: refused, handle untouched. */
    void* handle = &handle;
    CHECK(openEth("127.0.0.1:1", &handle) == LINTREL_CONNECT_FAILED);
    CHECK(handle == &handle);
    if (argc == 4) {
        CHECK(openEth(argv[3], &handle) == LINTREL_OK);
        CHECK(handle != &handle && handle != NULL);
        printf("controller at %s: %s\n", argv[3],
               handle != &handle ? "connected" : "not connected");
    }

    FreeLibrary(dll);
    printf("%s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}
