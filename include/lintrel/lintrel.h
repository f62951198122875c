/*
 * lintrel.h - the public C interface of the Lintrel path library.
 *
 * One header for C and C++ callers: the item records shared with the host program, the type,
 * result and unit codes, and every exported function. C++ callers may add lintrel.hpp, the
 * header-only layer over the records (ring ranges, a chain owner, point helpers).
 *
 * The records are an interface: their field order and widths must never change. The offsets of
 * every field are pinned at the end of this file for 64-bit (LP64) and 32-bit (ILP32) targets.
 *
 * Rings. The prev and next fields of the segs of a vect, the vects of a group, a list of groups
 * and a list of images form a ring: the first item's prev is the last item, the last item's
 * next is the first, and a lone item points at itself. A walk starts at the item a caller holds
 * as the list pointer and stops when it is back there (or at a null next, which a hand-made
 * list may have). Item counts, copies and deletions all walk a ring this way.
 *
 * Ownership. Records come from the library (the VarnixCad3_New* constructors, the copies and
 * the imports) and go back to it: VarnixCad3_DeleteChain frees a whole ring with everything its
 * items hold (segs, vects, texts, pixels), VarnixCad3_ItemDelete one item. A chain an import or
 * a copy returns belongs to the caller until it is handed to one of those. Operations that
 * remove items (tiny shapes, duplicates, merging) free what they remove themselves and
 * may move the list pointer; those that can take its address. Strings in the records
 * (beforeAction, afterAction, text, fontName), pixel buffers and palettes come from malloc and
 * are freed with free, the heap the host and the library share; VarnixCad3_SetStrT and
 * VarnixCad3_DelStrT do this for a host without its own C runtime. The version text and the
 * array family's chain belong to the library and are never freed by the host.
 */
#ifndef LINTREL_LINTREL_H
#define LINTREL_LINTREL_H

#include <stddef.h>
#include <stdint.h>

/* LINTREL_API marks an exported function. A 32-bit Windows build uses the standard calling
 * convention and exports by the names of its module-definition file (lintrel/lintrel.def);
 * elsewhere exports are plain C functions with default visibility and everything else in the
 * library stays hidden. */
#if defined(_WIN32)
#if defined(LINTREL_BUILDING)
#define LINTREL_API __stdcall
#else
#define LINTREL_API __declspec(dllimport) __stdcall
#endif
#elif defined(__GNUC__)
#define LINTREL_API __attribute__((visibility("default")))
#else
#define LINTREL_API
#endif

/* Doubles inside the records start on 8-byte boundaries on every target, including 32-bit
 * x86 System V where the compiler would otherwise align them to 4. */
#if defined(__GNUC__)
#define LINTREL_ALIGN8 __attribute__((aligned(8)))
#else
#define LINTREL_ALIGN8
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Item type codes; the base type of a code is code / 1000 * 1000 ---- */
enum {
    LINTREL_SEG = 1001,       /* line segment, or a record defining a curve */
    LINTREL_SEG_CURVE = 1004, /* control seg of a text glyph's curve piece */
    LINTREL_POINT = 2001,
    LINTREL_POLYLINE = 2002,
    LINTREL_SPLINE = 2003,
    LINTREL_ARC = 2004, /* arc or full circle */
    LINTREL_ELLIPSE = 2005,
    LINTREL_BEZIER = 2006,
    LINTREL_TEXT = 2007,
    LINTREL_GROUP = 3000,
    LINTREL_IMAGE = 4000,
    LINTREL_GRAPH = 5000,

    LINTREL_BASE_SEG = 1000,
    LINTREL_BASE_VECT = 2000,
    LINTREL_BASE_GROUP = 3000,
    LINTREL_BASE_IMAGE = 4000,
    LINTREL_BASE_GRAPH = 5000
};

/* ---- Result codes ---- */
enum {
    LINTREL_OK = 0,
    LINTREL_NOTHING_TO_DO = 100,
    LINTREL_BAD_ARGUMENT = 21000,
    LINTREL_NOT_AVAILABLE = 21001,
    LINTREL_BASE_TYPES_DIFFER = 21002,
    LINTREL_EMPTY_GRAPH = 21003,
    LINTREL_CONNECT_FAILED = 21011,
    LINTREL_NO_UNDO_RECORD = 21020,
    LINTREL_NOT_LONE_ITEM = 21022
};

/* ---- Unit codes of the drawing most recently imported ---- */
enum {
    LINTREL_UNIT_MILLIMETRE = 8000, /* also unitless and every unit without a code */
    LINTREL_UNIT_INCH = 8001,
    LINTREL_UNIT_FOOT = 8002,
    LINTREL_UNIT_CENTIMETRE = 8003,
    LINTREL_UNIT_METRE = 8004,
    LINTREL_UNIT_MIL = 8005,
    LINTREL_UNIT_YARD = 8006,
    LINTREL_UNIT_MICRON = 8007,
    LINTREL_UNIT_DECIMETRE = 8008,
    LINTREL_UNIT_DECAMETRE = 8009,
    LINTREL_UNIT_HECTOMETRE = 8010,
    LINTREL_UNIT_POINT = 8011,
    LINTREL_UNIT_PICA = 8012
};

typedef struct Seg Seg;
typedef struct Vect Vect;
typedef struct VectGroup VectGroup;
typedef struct Image Image;
typedef struct Graph Graph;

/* A segment. Arcs and ellipses keep their geometry in one Seg: (x0, y0) and (x1, y1) are
 * opposite corners of the bounding box, z0 the start angle and z1 the signed sweep, in
 * radians measured clockwise from +x. */
struct Seg {
    int32_t type; /* 1001 or 1004 */
    Seg* prev;
    Seg* next;
    int32_t jump; /* non-zero: the tool lifts and moves to this seg's start first */
    int32_t tag;
    LINTREL_ALIGN8 double x0;
    LINTREL_ALIGN8 double y0;
    LINTREL_ALIGN8 double z0;
    LINTREL_ALIGN8 double x1;
    LINTREL_ALIGN8 double y1;
    LINTREL_ALIGN8 double z1;
};

/* One shape or path. */
struct Vect {
    int32_t type; /* 2001 ... 2007 */
    Vect* prev;
    Vect* next;
    int32_t closed;
    int32_t state;
    void* link; /* compound tag: compared, never dereferenced */
    uint8_t selected;
    char* beforeAction; /* controller text emitted before this vect */
    char* afterAction;  /* controller text emitted after this vect */
    LINTREL_ALIGN8 double speed;
    LINTREL_ALIGN8 double xMin;
    LINTREL_ALIGN8 double yMin;
    LINTREL_ALIGN8 double liftHeight; /* also: ellipse axis rotation, text rotation */
    LINTREL_ALIGN8 double xMax;
    LINTREL_ALIGN8 double yMax;
    LINTREL_ALIGN8 double workHeight; /* also: text oblique angle */
    LINTREL_ALIGN8 double textHeight;
    char* text;
    char* fontName;
    Seg* segs;     /* defining chain */
    Seg* flatSegs; /* flattened copy kept beside a curve's definition, or null */
};

/* A numbered, coloured group of vects. */
struct VectGroup {
    int32_t type; /* 3000 */
    VectGroup* prev;
    VectGroup* next;
    int32_t number;
    uint32_t colour; /* 0x00BBGGRR */
    Vect* vects;
};

/* A placed raster image. */
struct Image {
    int32_t type; /* 4000 */
    Image* prev;
    Image* next;
    uint8_t* pixels;
    int32_t format;
    int32_t stride; /* bytes per row */
    int32_t pixelWidth;
    int32_t pixelHeight;
    int32_t bitsPerPixel;
    int32_t reserved1;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    int32_t paletteCount;
    uint8_t* palette; /* 4 bytes per entry */
    int32_t pixelBytes;
    int32_t reserved2;
    int32_t formatFlags;
    LINTREL_ALIGN8 double x; /* lower-left corner, drawing units */
    LINTREL_ALIGN8 double y;
    LINTREL_ALIGN8 double width;
    LINTREL_ALIGN8 double height;
};

/* A whole drawing. */
struct Graph {
    int32_t type; /* 5000 */
    VectGroup* groups;
    Image* images;
};

/* One record of the indexed array family: one defining seg of a vect. */
typedef struct ArrayRecord {
    int32_t groupNumber;
    int32_t vectType;
    int32_t startMarker; /* 1: first seg of a vect */
    int32_t pointFlag;   /* output only: 1 for a point vect */
    int32_t closed;
    int32_t selected;
    void* link;
    int32_t jump;
    int32_t tag;
    LINTREL_ALIGN8 double x0;
    LINTREL_ALIGN8 double y0;
    LINTREL_ALIGN8 double z0;
    LINTREL_ALIGN8 double x1;
    LINTREL_ALIGN8 double y1;
    LINTREL_ALIGN8 double z1;
    LINTREL_ALIGN8 double startX; /* output only, on a vect's first record */
    LINTREL_ALIGN8 double startY;
} ArrayRecord;

/* ---- Library frame ---- */
LINTREL_API int VarnixCad3_GetLastError(void);
LINTREL_API int VarnixCad3_GetBeforeUnit(void);
LINTREL_API char* Lintrel_GetVerSionInfo(void);
LINTREL_API int VarnixCad3_OptimizePath(void* unused);
LINTREL_API int VarnixCad3_SmoothPath(void* unused);

/* ---- Items: type, constructors, chains ---- */
LINTREL_API int VarnixCad3_GetItemType(void* item);
LINTREL_API int VarnixCad3_GetItemBaseType(void* item);
LINTREL_API Graph* VarnixCad3_NewGraph(void);
LINTREL_API VectGroup* VarnixCad3_NewVectGroup(void);
LINTREL_API Vect* VarnixCad3_NewVect(void);
LINTREL_API Seg* VarnixCad3_NewSeg(void);
LINTREL_API Image* VarnixCad3_NewImage(void);
LINTREL_API int VarnixCad3_CopyChain(void* item, void** copy);
LINTREL_API void* VarnixCad3_CopyOne(void* item);
LINTREL_API int VarnixCad3_DeleteChain(void* item);
LINTREL_API int VarnixCad3_ItemDelete(void* item);
LINTREL_API int VarnixCad3_ItemSeparate(void* item);
LINTREL_API int VarnixCad3_ItemInsertBefore(void* position, void* items);
LINTREL_API int VarnixCad3_ItemInsertAfter(void* position, void* items);
LINTREL_API void* VarnixCad3_ItemFindNext(void* item);
LINTREL_API void* VarnixCad3_ItemFindPrev(void* item);
LINTREL_API int VarnixCad3_ItemGetListNum(void* item);
LINTREL_API char* VarnixCad3_SetStrT(char* oldText, int size);
LINTREL_API int VarnixCad3_DelStrT(char* text);

/* ---- Transforms and ranges ---- */
LINTREL_API int VarnixCad3_MoveOne(void* item, double dx, double dy);
LINTREL_API int VarnixCad3_Move(void* item, double dx, double dy);
LINTREL_API int VarnixCad3_ScaleOne(void* item, float sx, float sy, float cx, float cy);
LINTREL_API int VarnixCad3_Scale(void* item, float sx, float sy, float cx, float cy);
LINTREL_API int VarnixCad3_RotateOne(void* item, float angle, double cx, double cy);
LINTREL_API int VarnixCad3_Rotate(void* item, float angle, double cx, double cy);
LINTREL_API int VarnixCad3_GetRangeOne(void* item, float* x, float* y, float* width, float* height,
                                       double precision);
LINTREL_API int VarnixCad3_GetRange(void* item, float* x, float* y, float* width, float* height,
                                    double precision);

/* ---- Curve flattening ---- */
LINTREL_API int VarnixCad3_TransSeges(void* item, double precision);
LINTREL_API int VarnixCad3_TransSplineVectGroup(VectGroup* group, double precision);
LINTREL_API int VarnixCad3_TransSplineVect(Vect* vect, double precision);
LINTREL_API int VarnixCad3_TransSplineSeges(Seg* segs, double precision, Vect* vect);
LINTREL_API int VarnixCad3_TransArcSeges(Seg* segs, double precision, Vect* vect);
LINTREL_API int VarnixCad3_TransEclipseSeges(Seg* segs, double precision, Vect* vect);
LINTREL_API int VarnixCad3_TransBezierSeges(Seg* segs, double precision, Vect* vect);
LINTREL_API int VarnixCad3_TransNOrderBezierSeges(Seg* segs, double precision, Vect* vect);
LINTREL_API int VarnixCad3_TransTextSeges(Seg* segs, double precision, Vect* vect);

/* ---- Fonts ----
 * The font settings of the process used by the text conversion of every later import: the
 * fonts folder (a prefix used unchanged, so it ends in "/"; default "./fonts/"), and the default
 * and fallback TrueType files (default "simsun.ttf" and "simsun.ttc"). Empty texts are allowed;
 * null leaves a setting unchanged. */
LINTREL_API void VarnixCad3_SetFontsPath(const char* folder);
LINTREL_API void VarnixCad3_SetDefaultFont(const char* ttfFile, const char* fallbackFile);

/* ---- Import ---- */
/* A drawing file (chosen by its extension) into a new group chain; null when nothing was read. */
LINTREL_API VectGroup* VarnixCad3_ImportVectGraph(const char* fileName, double pltUnits,
                                                  int importOptions, double precision,
                                                  int moveToOrigin);
/* The same into the array chain, every curve but arcs reduced to line segments; always 0. */
LINTREL_API int VarnixCadArray_ImportVectGraph(const char* fileName, double pltUnits,
                                               int importOptions, double precision);

/* ---- Raster images ---- */
/* A bitmap file as a new lone image at the origin: rows bottom-up, each padded to a multiple of
 * 4 bytes, 3 and 4 channels in blue-green-red order, 8-bit images with a 256-entry grey ramp,
 * 3780 pixels per metre. Bit 0 of `flags` converts to 8-bit grey. Null when the file cannot be
 * decoded, claims more than 2^28 pixels, or memory for it cannot be had. */
LINTREL_API Image* VarnixCad3_ImportImage(const char* fileName, int flags);

/* ---- Indexed array family ---- */
LINTREL_API int VarnixCadArray_NewOne(ArrayRecord record);
LINTREL_API int VarnixCadArray_DelOne(int index);
LINTREL_API int VarnixCadArray_DelAll(void);
LINTREL_API int VarnixCadArray_GetRange(float* x, float* y, float* width, float* height,
                                        double precision);
LINTREL_API int VarnixCadArray_CopyChain(const ArrayRecord* source, ArrayRecord* destination,
                                         int recordCount);
LINTREL_API int VarnixCadArray_Move(double dx, double dy, int index);
LINTREL_API int VarnixCadArray_Scale(float sx, float sy, float cx, float cy, int index);
LINTREL_API int VarnixCadArray_ItemInsert(const ArrayRecord* records, int recordCount, int index);
LINTREL_API int VarnixCadArray_ItemModify(const ArrayRecord* records, int recordCount, int index);
LINTREL_API int VarnixCadArray_GetVectNum(int* segCount);
LINTREL_API int VarnixCadArray_GetVectArray(ArrayRecord* records, int maxRecords);

/* ---- Clean-up and curve precision ---- */
/* Each takes the first group of a list of groups or the first vect of a list of vects and
 * returns 0 when something changed (or was hit), 100 when nothing did, 21000 for a bad list.
 * `selectedOnly` non-zero restricts an operation to selected vects. */
LINTREL_API int Lintrel_DelLitSeg(void** list, double minWidth, double minHeight, int selectedOnly);
LINTREL_API int Lintrel_DelSameSeg(void* list, int selectedOnly);
LINTREL_API int Lintrel_MergeSeg(void* list, double tolerance, int selectedOnly);
LINTREL_API int Lintrel_SplitVect(void* list, double x, double y, double tolerance, int apply);
LINTREL_API int Lintrel_ChangStartPt(void* list, double x, double y, double tolerance, int apply);
LINTREL_API int Lintrel_Reverse(void* list, int selectedOnly);
LINTREL_API int Lintrel_IfCloseVect(void* list, int selectedOnly);
LINTREL_API int Lintrel_CurveSmooth(void* list, double precision, int selectedOnly, int firstOnly);
LINTREL_API int Lintrel_TransSeges(void* list, double precision, int selectedOnly, int firstOnly);
/* The same on the indexed array family's group chain. */
LINTREL_API int VarnixCadArray_DelLitSeg(double minWidth, double minHeight, int selectedOnly);
LINTREL_API int VarnixCadArray_DelSameSeg(int selectedOnly);
LINTREL_API int VarnixCadArray_MergeSeg(double tolerance, int selectedOnly);
LINTREL_API int VarnixCadArray_SplitVect(double x, double y, double tolerance, int apply);
LINTREL_API int VarnixCadArray_ChangStartPt(double x, double y, double tolerance, int apply);
LINTREL_API int VarnixCadArray_Reverse(void);
LINTREL_API int VarnixCadArray_IfCloseVect(int selectedOnly);
LINTREL_API int VarnixCadArray_CurveSmooth(double precision, int selectedOnly);

/* ---- Ordering and travel optimisation ---- */
/* Each sort takes the address of the list pointer (a first vect group or a first vect) and
 * stores the new first vect there. Flags are ints: 0 is off, anything else on. */
LINTREL_API int Lintrel_AutoSort(void** list, int mode, int allowReverse, int selectedOnly);
LINTREL_API int Lintrel_GridsSort(void** list, double cellWidth, double cellHeight,
                                  int allowReverse, int selectedOnly);
LINTREL_API int Lintrel_HandSort(void** list, int mode);
LINTREL_API int Lintrel_OptimizeAbs(VectGroup* first, double tolerance, int selectedOnly);
/* The same on the indexed array family's current list of groups. */
LINTREL_API int VarnixCadArray_GridsSort(double cellWidth, double cellHeight, int allowReverse,
                                         int selectedOnly);
LINTREL_API int VarnixCadArray_MinAbsSort(int allowReverse, int selectedOnly);  /* mode 1 */
LINTREL_API int VarnixCadArray_MinVectSort(int allowReverse, int selectedOnly); /* mode 2 */
LINTREL_API int VarnixCadArray_InSort(int allowReverse, int selectedOnly);      /* mode 3 */
LINTREL_API int VarnixCadArray_LeftSort(int allowReverse, int selectedOnly);    /* mode 4 */
LINTREL_API int VarnixCadArray_RightSort(int allowReverse, int selectedOnly);   /* mode 5 */
LINTREL_API int VarnixCadArray_TopSort(int allowReverse, int selectedOnly);     /* mode 6 */
LINTREL_API int VarnixCadArray_BottomSort(int allowReverse, int selectedOnly);  /* mode 7 */
LINTREL_API int VarnixCadArray_HandSort(int mode);
LINTREL_API int VarnixCadArray_ReSort(void); /* manual sort mode 5, reverse order */
LINTREL_API int VarnixCadArray_OptimizeAbs(double tolerance, int selectedOnly);

/* ---- Selection ---- */
/* Each takes the first group of a group chain or the first vect of a vect chain; 21000 for
 * anything else. `additive` (low byte) non-zero toggles the vects hit instead of replacing the
 * selection. */
LINTREL_API int Lintrel_ClearSelect(void* item);
LINTREL_API int Lintrel_SelectAll(void* item);
LINTREL_API int Lintrel_SelectInvert(void* item);
LINTREL_API int Lintrel_GetSelNum(void* item); /* -1 and last error 21000 on a bad item */
LINTREL_API int Lintrel_ClickSelect(void* item, double px, double py, double tolerance,
                                    int additive);
LINTREL_API int Lintrel_BoxSelect(void* item, double fromX, double fromY, double toX, double toY,
                                  int additive);
LINTREL_API int Lintrel_GetSelRange(void* item, float* x, float* y, float* width, float* height,
                                    double precision);
LINTREL_API int Lintrel_SelVectGroup(VectGroup* first, int number);
LINTREL_API int Lintrel_ChangeVectGroup(VectGroup** first, int number);
/* The same on the indexed array family's group chain. */
LINTREL_API int VarnixCadArray_SelOne(double px, double py, double tolerance, int additive);
LINTREL_API int VarnixCadArray_SelLeftToRight(double fromX, double fromY, double toX, double toY,
                                              int additive);
LINTREL_API int VarnixCadArray_SelRightToLeft(double fromX, double fromY, double toX, double toY,
                                              int additive);
LINTREL_API int VarnixCadArray_SelVectGroup(int number);
LINTREL_API int VarnixCadArray_ChangeVectGroup(int number);

/* ---- Undo and redo records ----
 * One store of 32 steps for the process. Open a step, then edit through the recording
 * operations; `head` is the address of the chain variable, which must stay in place while the
 * records naming it can be undone or redone. Items the edits remove stay detached in the store
 * and are freed when their step is discarded. Recording results: 0; 21000 bad arguments; 21002
 * items of different base types; 21020 no open step, or the open step has been undone (open a
 * new one); 21022 an item to insert, or a replacement, that is still linked to others. */
LINTREL_API int Lintrel_Edit_ClearRecord(void);
LINTREL_API int Lintrel_Edit_AddRecord(void);
LINTREL_API int Lintrel_Edit_InsertOne(void** head, void* item, void* after);
LINTREL_API int Lintrel_Edit_DeleteOne(void** head, void* item);
LINTREL_API int Lintrel_Edit_UpdateOne(void** head, void* item, void* replacement);
LINTREL_API int Lintrel_Edit_UpdateAll(void** head, void* oldChain, void* newChain);
LINTREL_API int Lintrel_Edit_IfUndo(void);
LINTREL_API int Lintrel_Edit_Undo(void); /* 0, or 100 when there is nothing to undo */
LINTREL_API int Lintrel_Edit_IfRedo(void);
LINTREL_API int Lintrel_Edit_Redo(void); /* 0, or 100 when there is nothing to redo */

/* ---- Motion table ----
 * A flat array of doubles: element 0 holds the element count, then commands of a code, a
 * parameter count n and n parameters. Export: call once with a null `table` to learn the count,
 * then again with that many doubles; 0, or 21000 for a null group or count. Load: a new group
 * chain owned by the caller, or null with last error 21000 for a null table or length <= 1. */
LINTREL_API int Lintrel_ExportTable(VectGroup* first, double* table, int* count);
LINTREL_API VectGroup* Lintrel_LoadTable(const double* table, unsigned int length);

/* ---- Controller connection ---- */

/* Opens an Ethernet connection to a motion controller through the varnix library. On success
 * writes the controller handle (an opaque pointer-sized value) to *handle and returns 0;
 * otherwise returns 21011 and leaves *handle untouched. Both names are the same function. */
LINTREL_API int Lintrel_OpenEth(const char* ipAddress, void** handle);
LINTREL_API int VarnixCadArray_OpenEth(const char* ipAddress, void** handle);

/* ==== Extensions ====
 * Exports added to the library's original interface, for hosts that want more than it offers.
 * Each keeps the family style: integer result codes, out-parameters, no exceptions, no
 * messages. */

/* ---- Result code of a call the library could not finish ----
 * No exception leaves the library. When an export's work fails inside it (out of memory above
 * all), the export returns its failure result (null for a pointer, -1 for a count, this code for
 * a result code) and sets the last error to this code. */
enum { LINTREL_INTERNAL_ERROR = 21099 };

/* ---- Progress and cancelling ----
 * A host that runs long work on a thread of its own may set a callback for that thread (null
 * turns it off; other threads are not affected). The nearest-neighbour sorts (Lintrel_AutoSort
 * modes 1 and 3) and the clean-ups Lintrel_DelSameSeg and Lintrel_MergeSeg call it every few
 * thousand vects with the share of the list done, 0 to 100. When it returns nonzero and the
 * operation has not yet begun to change the drawing, the operation stops, leaves the drawing
 * exactly as given and returns LINTREL_CANCELLED; an operation that has begun to change it (a
 * sort turns an arc without a flattened copy at once; a clean-up removes as it goes) finishes.
 * Returns 0. */
enum { LINTREL_CANCELLED = 21030 };
typedef int (*LintrelProgressCallback)(void* context, int percent);
LINTREL_API int Lintrel_SetProgressCallback(LintrelProgressCallback callback, void* context);

/* ---- Undo store: bounded memory ----
 * Discards the oldest undoable step of the undo store and frees the items it holds, so that a
 * host keeping whole drawings as steps can bound the memory the store keeps. Redo steps and the
 * newer undo steps stay. Returns 0, or 100 when there is no undoable step. */
LINTREL_API int Lintrel_Edit_DiscardOldest(void);

/* ---- Import options ----
 * Bits of the importOptions argument of both import exports. Bit 0 (1) keeps arcs, splines,
 * Bezier curves and text as curves, as the original interface has it. Bit 1 turns the boundary
 * paths of DXF hatches (polylines and edges: lines, arcs, ellipses, splines) into closed
 * outlines in the hatch's colour; the fill is never drawn. Other readers ignore it. Bits 16-30
 * choose the page of a drawing of several pages (PDF), counted from 0: page n (from 1) is
 * (n - 1) << LINTREL_IMPORT_PAGE_SHIFT, and 0 reads the first page. A page the file does not
 * have reads the first and notes so in the diagnostics; only the chosen page's content is
 * decoded. */
enum {
    LINTREL_IMPORT_KEEP_CURVES = 1,
    LINTREL_IMPORT_HATCH_OUTLINES = 2,
    LINTREL_IMPORT_PAGE_SHIFT = 16,
    LINTREL_IMPORT_PAGE_MASK = 0x7FFF0000
};

/* ---- Pages ----
 * The number of pages of a drawing file, chosen by its extension as the import chooses its
 * reader: the pages of a PDF's page tree, 1 for a file of any other kind the import reads.
 * Writes it to *count and returns 0; 21000 for a null argument, an extension without a reader
 * or a file that cannot be read, 100 for a PDF in which no page is found (0 written). Reads
 * the file's structure only, never page content. */
LINTREL_API int VarnixCad3_GetPageCount(const char* fileName, int* count);

/* ---- Import diagnostics ----
 * What the last import (either family, or an image) repaired or skipped, as a list of entries,
 * each with a stable code, a count and a short English text. Each import collects its own list
 * and publishes it, whole, when it returns: the list read here is that of the import that
 * returned last. Results never depend on it. Codes: 1-99 any file, 100-199 DXF, 200-299
 * HPGL/PLT, 300-399 Illustrator, 400-499 text and fonts, 500-599 DST, 600-699 raster images. */
LINTREL_API int VarnixCad3_GetImportDiagCount(void);
/* Entry `index` (0-based) of the list: writes its code and count where the pointers are not null
 * and copies its text, NUL-terminated and cut to textSize bytes, into `text` when it is not null
 * and textSize > 0. Returns 0, or 21000 for an index outside the list. */
LINTREL_API int VarnixCad3_GetImportDiag(int index, int* code, int* count, char* text,
                                         int textSize);

/* ---- Source unit ----
 * Sets the unit code that VarnixCad3_GetBeforeUnit reports, as a host does before an import so
 * that a file declaring no unit reads as millimetres rather than as the unit of the drawing
 * imported before it. Returns 0, or 21000 (nothing changed) for a code outside 8000-8012. */
LINTREL_API int VarnixCad3_SetBeforeUnit(int unitCode);

/* ---- Travel measure ----
 * The tool-up distance of a list cut in order: from the origin through every vect's start and
 * end (vects without segs passed over) and back to the origin. `list` is a first vect group or
 * a first vect. Writes the distance to *length and returns 0; 21000 for a null argument or an
 * item of another kind (nothing written). */
LINTREL_API int VarnixCad3_GetTravelLength(void* list, double* length);

/* ---- Flattened copy beside the definition ----
 * Keeps a flattened copy of a spline, arc, Bezier or text vect in its `flatSegs` (replacing any
 * copy it had), leaving `segs`, the definition, as it is; this is the chain the vect is cut and
 * measured along. Returns 0 when the copy was built, 100 for a vect of another kind or without
 * segs (nothing changed), 21000 for a null vect. */
LINTREL_API int VarnixCad3_BuildFlatSegs(Vect* vect, double precision);

/* ---- Shortest-travel sort ----
 * Orders each vect group (in group order, each tour starting where the previous group's last
 * vect ends, the first at the origin) for the least tool-up travel: a nearest-neighbour tour
 * improved by 2-opt and Or-opt moves between near neighbours, open vects reversed when
 * allowReverse is set, closed outlines entered at the vertex of their working chain that
 * suits the tour (moved as Lintrel_ChangStartPt moves a start point). Curves get their
 * flattened copies first. When the tour is not shorter than the default order (mode 1 of
 * Lintrel_AutoSort followed by Lintrel_OptimizeAbs, tolerance 0.05, while it changes anything,
 * at most five times), the drawing gets that order instead. Above 20,000 vects the comparison
 * is made with mode 10 in place of mode 1 (mode 1 grows with the square of the count), and
 * runs on a second thread while the tour is planned. The same drawing always gives the same
 * result. `list` is as for Lintrel_AutoSort (a vect list's pointer follows its new first
 * vect). Returns 0, 100 when no vect takes part, 21000 for a bad list. Sort by 8 in the
 * program's settings. */
LINTREL_API int Lintrel_ShortTravelSort(void** list, int allowReverse, int selectedOnly);
/* The same on the array family's current list. */
LINTREL_API int VarnixCadArray_ShortTravelSort(int allowReverse, int selectedOnly);

/* ---- Cutting: containment ----
 * Which closed vect encloses which, at any depth. Vects are numbered in drawing order from 0
 * (groups in order, each group's vects in list order); `list` is a first vect group or a first
 * vect. A closed vect is one whose closed flag is set and whose working chain, in one piece
 * (curves flattened at `precision`), returns to its start; only closed vects have an inside,
 * but open vects lie inside them too. A vect lies inside a closed vect of larger area when the
 * first of its points farther than `precision` from that vect's outline lies inside it.
 * parent[i]: the smallest closed vect enclosing vect i, or -1; depth[i]: how many enclose it.
 * With both arrays null, writes the number of vects to *count; otherwise *count is the length
 * of the arrays given. Returns 0; 21000 for a bad list, a null count, a precision not above 0,
 * or arrays shorter than the number of vects (which is then written to *count). */
LINTREL_API int Lintrel_GetContainment(void* list, double precision, int* parent, int* depth,
                                       int* count);

/* ---- Cutting: inner shapes first ----
 * Mends the order of each vect list (after any sort) so that no vect comes after a closed vect
 * of the same list that encloses it: when a vect comes up whose enclosed vects are not all cut,
 * those come first, in their own order and by the same rule. Vects that do not take part (not
 * selected with selectedOnly, or without segs) keep their places. `list` as for
 * Lintrel_AutoSort; containment as for Lintrel_GetContainment. Returns 0 when the order
 * changed, 100 when it did not, 21000 for a bad list or precision. */
LINTREL_API int Lintrel_InnerFirst(void** list, double precision, int selectedOnly);
/* Lintrel_ShortTravelSort with inner vects first: the tour and the default order that guards
 * it are each mended (by the rule above, or by deferring an enclosing vect until its last
 * enclosed vect, whichever travels less), their closed outlines' start points optimised again,
 * and the shorter is kept. Results as for Lintrel_ShortTravelSort. */
LINTREL_API int Lintrel_ShortTravelSortInnerFirst(void** list, int allowReverse, int selectedOnly);

/* ---- Cutting: kerf compensation ----
 * A copy of a drawing whose closed vects are offset by half the kerf. Each group takes the
 * record with its number, else the record numbered -1, else none. Side: by containment depth
 * (outer shapes and parts inside holes outward, holes inward), always outward, always inward,
 * or none. A circle stays a circle of the offset radius; any other outline becomes a closed
 * polyline from its flattened points (round corners within `precision` of true arcs, mitred
 * corners cut square beyond mitreLimit times the distance, at least 2), running the way the
 * shape ran and starting at its point nearest the old start. An inward offset that splits a
 * shape gives several vects in a row. Open vects, vects that vanish and vects that cannot be
 * offset are copied as drawn. status (optional, statusCount entries) receives one
 * LINTREL_KERF_RESULT_* per vect of the drawing, in drawing order. *result receives the new
 * chain (the kind of `list`), owned by the caller; the drawing stays as it is. Returns 0;
 * 21000 for a bad list, a null result, a precision not above 0, a record count below 0 or a
 * null record array with a count, a negative distance or an unknown side or corner code; 21001
 * in a build without a polygon offsetter (the 32-bit Windows DLL). */
enum {
    LINTREL_KERF_NONE = 0,
    LINTREL_KERF_BY_DEPTH = 1,
    LINTREL_KERF_OUTSIDE = 2,
    LINTREL_KERF_INSIDE = 3,
    LINTREL_CORNER_ROUND = 0,
    LINTREL_CORNER_MITRE = 1,
    LINTREL_KERF_RESULT_OFFSET = 0,
    LINTREL_KERF_RESULT_NOT_ASKED = 1, /* no record, side none or distance 0: copied */
    LINTREL_KERF_RESULT_OPEN = 2,      /* no inside: copied as drawn */
    LINTREL_KERF_RESULT_VANISHED = 3,  /* nothing left inward: copied as drawn */
    LINTREL_KERF_RESULT_SPLIT = 4,     /* offset, in several pieces */
    LINTREL_KERF_RESULT_FAILED = 5     /* coordinates out of the offsetter's range: as drawn */
};
typedef struct KerfRecord {
    int32_t groupNumber; /* -1: every group without a record of its own */
    int32_t side;        /* LINTREL_KERF_NONE ... LINTREL_KERF_INSIDE */
    int32_t corners;     /* LINTREL_CORNER_ROUND or LINTREL_CORNER_MITRE */
    int32_t reserved;
    LINTREL_ALIGN8 double distance;   /* the offset: half the kerf width */
    LINTREL_ALIGN8 double mitreLimit; /* in multiples of the distance */
} KerfRecord;
LINTREL_API int Lintrel_KerfOffset(void* list, const KerfRecord* settings, int settingCount,
                                   double precision, void** result, int* status, int statusCount);

/* ---- Cutting: leads and overcut ----
 * Adds to each closed vect of a drawing, by the record of its group (as for kerf), a lead-in
 * from a pierce point on the scrap side (outside an outer shape, inside a hole, by containment
 * depth), an overcut (the path run on past its start) and a lead-out. A line lead has a length
 * and an angle to the path in degrees (90: square to it); an arc lead a radius and a sweep in
 * degrees, tangent to the path. A lead that would come within `precision` of another vect or
 * lead, cross its own vect, or end off the scrap side is tried at half and a quarter of its
 * length, then (a line at a corner) along the corner's bisector, then dropped; a lead-out
 * without overcut leaves along the last edge. A vect given anything becomes an open polyline
 * (closed flag cleared): lead-in, shape, overcut, lead-out; add leads last, to the cut chain.
 * status (optional) receives per vect, in drawing order, the sum of the LINTREL_LEAD_* bits
 * that apply. Returns 0; 21000 for a bad list, precision, record array or lead kind. */
enum {
    LINTREL_LEAD_NONE = 0,
    LINTREL_LEAD_LINE = 1,
    LINTREL_LEAD_ARC = 2,
    LINTREL_LEAD_IN_SHORTENED = 1,
    LINTREL_LEAD_IN_DROPPED = 2,
    LINTREL_LEAD_OUT_SHORTENED = 4,
    LINTREL_LEAD_OUT_DROPPED = 8,
    LINTREL_LEAD_NOT_CLOSED = 16 /* an open vect: no scrap side, left as it is */
};
typedef struct LeadRecord {
    int32_t groupNumber; /* -1: every group without a record of its own */
    int32_t leadIn;      /* LINTREL_LEAD_NONE, _LINE or _ARC */
    int32_t leadOut;
    int32_t reserved;
    LINTREL_ALIGN8 double inLength; /* a line's length or an arc's radius */
    LINTREL_ALIGN8 double inAngle;  /* degrees: a line's angle to the path, an arc's sweep */
    LINTREL_ALIGN8 double outLength;
    LINTREL_ALIGN8 double outAngle;
    LINTREL_ALIGN8 double overcut; /* path length past the start */
} LeadRecord;
LINTREL_API int Lintrel_AddLeads(void* list, const LeadRecord* settings, int settingCount,
                                 double precision, int* status, int statusCount);

/* ---- Cutting: start points and directions of closed vects ----
 * Each acts on the closed vects of the groups numbered groupNumber (-1: every group), selected
 * ones only with selectedOnly, judging closed vects and containment as Lintrel_GetContainment
 * does at `precision`. Start rule: as drawn; nearest to the end of the vect before it in
 * drawing order (the origin for the first); at the vertex where the path turns most (by more
 * than 10 degrees, else as drawn). The start moves as Lintrel_ChangStartPt moves it.
 * Direction rule: as drawn; outer shapes (even depth) clockwise and holes counter-clockwise;
 * the reverse. Return 0 when something changed, 100 when nothing did, 21000 for a bad list,
 * rule or precision. */
enum {
    LINTREL_START_AS_DRAWN = 0,
    LINTREL_START_NEAREST = 1,
    LINTREL_START_CORNER = 2,
    LINTREL_DIRECTION_AS_DRAWN = 0,
    LINTREL_DIRECTION_OUTER_CW = 1,
    LINTREL_DIRECTION_OUTER_CCW = 2
};
LINTREL_API int Lintrel_SetStartPoints(void* list, int groupNumber, int rule, double precision,
                                       int selectedOnly);
LINTREL_API int Lintrel_SetCutDirection(void* list, int groupNumber, int rule, double precision,
                                        int selectedOnly);

#ifdef __cplusplus
} /* extern "C" */
#endif

/* ---- Layout pins ----
 * Offsets for LP64 (64-bit Linux) and ILP32 (32-bit x86, doubles 8-aligned). The test suite
 * derives both columns from the field table independently and compares. */
#if defined(__cplusplus)
#define LINTREL_STATIC_ASSERT static_assert
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define LINTREL_STATIC_ASSERT _Static_assert
#endif

#if defined(LINTREL_STATIC_ASSERT)
#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
#define LINTREL_OFF(lp64, ilp32) (lp64)
#define LINTREL_LAYOUT_PINNED 1
#elif UINTPTR_MAX == 0xFFFFFFFFu
#define LINTREL_OFF(lp64, ilp32) (ilp32)
#define LINTREL_LAYOUT_PINNED 1
#endif
#endif

#if defined(LINTREL_LAYOUT_PINNED)
#define LINTREL_PIN(rec, field, lp64, ilp32)                                \
    LINTREL_STATIC_ASSERT(offsetof(rec, field) == LINTREL_OFF(lp64, ilp32), \
                          #rec "." #field " moved")
LINTREL_PIN(Seg, type, 0, 0);
LINTREL_PIN(Seg, prev, 8, 4);
LINTREL_PIN(Seg, next, 16, 8);
LINTREL_PIN(Seg, jump, 24, 12);
LINTREL_PIN(Seg, tag, 28, 16);
LINTREL_PIN(Seg, x0, 32, 24);
LINTREL_PIN(Seg, y0, 40, 32);
LINTREL_PIN(Seg, z0, 48, 40);
LINTREL_PIN(Seg, x1, 56, 48);
LINTREL_PIN(Seg, y1, 64, 56);
LINTREL_PIN(Seg, z1, 72, 64);
LINTREL_STATIC_ASSERT(sizeof(Seg) == LINTREL_OFF(80, 72), "Seg size");

LINTREL_PIN(Vect, type, 0, 0);
LINTREL_PIN(Vect, prev, 8, 4);
LINTREL_PIN(Vect, next, 16, 8);
LINTREL_PIN(Vect, closed, 24, 12);
LINTREL_PIN(Vect, state, 28, 16);
LINTREL_PIN(Vect, link, 32, 20);
LINTREL_PIN(Vect, selected, 40, 24);
LINTREL_PIN(Vect, beforeAction, 48, 28);
LINTREL_PIN(Vect, afterAction, 56, 32);
LINTREL_PIN(Vect, speed, 64, 40);
LINTREL_PIN(Vect, xMin, 72, 48);
LINTREL_PIN(Vect, yMin, 80, 56);
LINTREL_PIN(Vect, liftHeight, 88, 64);
LINTREL_PIN(Vect, xMax, 96, 72);
LINTREL_PIN(Vect, yMax, 104, 80);
LINTREL_PIN(Vect, workHeight, 112, 88);
LINTREL_PIN(Vect, textHeight, 120, 96);
LINTREL_PIN(Vect, text, 128, 104);
LINTREL_PIN(Vect, fontName, 136, 108);
LINTREL_PIN(Vect, segs, 144, 112);
LINTREL_PIN(Vect, flatSegs, 152, 116);
LINTREL_STATIC_ASSERT(sizeof(Vect) == LINTREL_OFF(160, 120), "Vect size");

LINTREL_PIN(VectGroup, type, 0, 0);
LINTREL_PIN(VectGroup, prev, 8, 4);
LINTREL_PIN(VectGroup, next, 16, 8);
LINTREL_PIN(VectGroup, number, 24, 12);
LINTREL_PIN(VectGroup, colour, 28, 16);
LINTREL_PIN(VectGroup, vects, 32, 20);
LINTREL_STATIC_ASSERT(sizeof(VectGroup) == LINTREL_OFF(40, 24), "VectGroup size");

LINTREL_PIN(Image, type, 0, 0);
LINTREL_PIN(Image, prev, 8, 4);
LINTREL_PIN(Image, next, 16, 8);
LINTREL_PIN(Image, pixels, 24, 12);
LINTREL_PIN(Image, format, 32, 16);
LINTREL_PIN(Image, stride, 36, 20);
LINTREL_PIN(Image, pixelWidth, 40, 24);
LINTREL_PIN(Image, pixelHeight, 44, 28);
LINTREL_PIN(Image, bitsPerPixel, 48, 32);
LINTREL_PIN(Image, reserved1, 52, 36);
LINTREL_PIN(Image, xPelsPerMeter, 56, 40);
LINTREL_PIN(Image, yPelsPerMeter, 60, 44);
LINTREL_PIN(Image, paletteCount, 64, 48);
LINTREL_PIN(Image, palette, 72, 52);
LINTREL_PIN(Image, pixelBytes, 80, 56);
LINTREL_PIN(Image, reserved2, 84, 60);
LINTREL_PIN(Image, formatFlags, 88, 64);
LINTREL_PIN(Image, x, 96, 72);
LINTREL_PIN(Image, y, 104, 80);
LINTREL_PIN(Image, width, 112, 88);
LINTREL_PIN(Image, height, 120, 96);
LINTREL_STATIC_ASSERT(sizeof(Image) == LINTREL_OFF(128, 104), "Image size");

LINTREL_PIN(Graph, type, 0, 0);
LINTREL_PIN(Graph, groups, 8, 4);
LINTREL_PIN(Graph, images, 16, 8);
LINTREL_STATIC_ASSERT(sizeof(Graph) == LINTREL_OFF(24, 12), "Graph size");

LINTREL_PIN(ArrayRecord, groupNumber, 0, 0);
LINTREL_PIN(ArrayRecord, vectType, 4, 4);
LINTREL_PIN(ArrayRecord, startMarker, 8, 8);
LINTREL_PIN(ArrayRecord, pointFlag, 12, 12);
LINTREL_PIN(ArrayRecord, closed, 16, 16);
LINTREL_PIN(ArrayRecord, selected, 20, 20);
LINTREL_PIN(ArrayRecord, link, 24, 24);
LINTREL_PIN(ArrayRecord, jump, 32, 28);
LINTREL_PIN(ArrayRecord, tag, 36, 32);
LINTREL_PIN(ArrayRecord, x0, 40, 40);
LINTREL_PIN(ArrayRecord, y0, 48, 48);
LINTREL_PIN(ArrayRecord, z0, 56, 56);
LINTREL_PIN(ArrayRecord, x1, 64, 64);
LINTREL_PIN(ArrayRecord, y1, 72, 72);
LINTREL_PIN(ArrayRecord, z1, 80, 80);
LINTREL_PIN(ArrayRecord, startX, 88, 88);
LINTREL_PIN(ArrayRecord, startY, 96, 96);
LINTREL_STATIC_ASSERT(sizeof(ArrayRecord) == 104, "ArrayRecord is 104 bytes on every target");

LINTREL_PIN(KerfRecord, side, 4, 4);
LINTREL_PIN(KerfRecord, distance, 16, 16);
LINTREL_PIN(KerfRecord, mitreLimit, 24, 24);
LINTREL_STATIC_ASSERT(sizeof(KerfRecord) == 32, "KerfRecord is 32 bytes on every target");
LINTREL_PIN(LeadRecord, leadOut, 8, 8);
LINTREL_PIN(LeadRecord, inLength, 16, 16);
LINTREL_PIN(LeadRecord, overcut, 48, 48);
LINTREL_STATIC_ASSERT(sizeof(LeadRecord) == 56, "LeadRecord is 56 bytes on every target");
#undef LINTREL_PIN
#undef LINTREL_OFF
#endif

#endif /* LINTREL_LINTREL_H */
