/* varnix: the controller communication library. Eight functions reach a motion controller (or the
 * varnixd simulator) over TCP with the line protocol described in varnix/PROTOCOL.md. Valid C and
 * C++; every function returns 0 on success and one of the VXC_ERR_* codes (or a code the controller
 * sent) otherwise. */
#ifndef VARNIX_VARNIX_H
#define VARNIX_VARNIX_H

/* On Windows the client is linked into the library that uses it; the standard calling convention
 * is kept for hosts of the controller maker's own DLL. */
#if defined(_WIN32)
#define VARNIX_API __stdcall
#elif defined(__GNUC__)
#define VARNIX_API __attribute__((visibility("default")))
#else
#define VARNIX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An opaque connection; 0 means "no connection" and makes every call fail. */
typedef void* VXC_HANDLE;

/* The TCP port used when an address names no port ("127.0.0.1" means "127.0.0.1:7410"). UDP
 * discovery asks the same port number unless the address list names another. */
#define VXC_DEFAULT_PORT 7410

/* Codes of the library itself. Codes a controller sends back (for example a refused download) are
 * passed through unchanged; the simulator's own codes start at 2001. */
#define VXC_OK 0
#define VXC_ERR_HANDLE 1001    /* handle 0, already closed, or never opened */
#define VXC_ERR_ARGUMENT 1002  /* null pointer, zero size, bad name or length */
#define VXC_ERR_ADDRESS 1003   /* the address text cannot be read or resolved */
#define VXC_ERR_CONNECT 1004   /* nobody accepted the connection within the time-out */
#define VXC_ERR_TIMEOUT 1005   /* the controller did not answer within the time-out */
#define VXC_ERR_LOST 1006      /* the connection broke; close the handle */
#define VXC_ERR_REPLY 1007     /* the controller's reply could not be read */
#define VXC_ERR_SYSTEM 1008    /* the operating system refused a socket operation */
#define VXC_ERR_NOT_FOUND 1009 /* a search found no controller */
#define VXC_ERR_INTERNAL 1010  /* the library could not finish the call (out of memory) */

/* Opens a connection to "host" or "host:port" and writes the handle to *handle on success only. */
VARNIX_API int VXC_OpenEth(const char* address, VXC_HANDLE* handle);
/* Closes the connection and releases the handle; the handle must not be used afterwards. */
VARNIX_API int VXC_Close(VXC_HANDLE handle);
/* Asks the controller for its state byte (0 idle, 1 running a program). Non-zero result: the
 * connection is lost. */
VARNIX_API int VXC_GetState(VXC_HANDLE handle, unsigned char* state);
/* Number of axes of the controller (1 to 255); a failure returns the negated error code. */
VARNIX_API int VXC_GetAxises(VXC_HANDLE handle);
/* Sends one command line ("?MPOS(0)", "MPOS(1) = 2.5") and copies the controller's reply into
 * reply[0 .. size-1], always NUL-terminated and cut when longer. Without an answer, or when the
 * answer is malformed, the reply is empty (so that it reads as 0) and the result is non-zero. */
VARNIX_API int VXC_DirectCommand(VXC_HANDLE handle, const char* command, char* reply,
                                 unsigned int size);
/* Stores `length` bytes of program text on the controller under `name`. */
VARNIX_API int VXC_DownMem3File(VXC_HANDLE handle, const char* text, unsigned int length,
                                const char* name);
/* Asks the configured addresses (VARNIX_SEARCH_ADDRESSES or the configuration file; default
 * 127.0.0.1) by UDP and writes those that answered, separated by blanks, NUL-terminated.
 * timeoutMs bounds the wait for answers. */
VARNIX_API int VXC_SearchEth(char* buffer, unsigned int size, unsigned int timeoutMs);
/* Number of controller cards on the PCI bus: 0 unless VARNIX_PCI_CARDS or the configuration file
 * says otherwise. */
VARNIX_API int VXC_GetMaxPciCards(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VARNIX_VARNIX_H */
