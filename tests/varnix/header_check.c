/* Compiled as C: the controller header must serve C callers, and a call without a connection
 * must fail cleanly. */
#include <stdio.h>
#include <varnix/varnix.h>

int main(void) {
    char reply[8] = "junk";
    unsigned char state = 7;
    int failures = 0;
    if (VXC_GetState(0, &state) == 0) ++failures;
    if (VXC_DirectCommand(0, "?MPOS(0)", reply, sizeof reply) == 0 || reply[0] != '\0') ++failures;
    if (VXC_GetAxises(0) >= 0) ++failures;
    if (failures != 0) fprintf(stderr, "%d checks failed\n", failures);
    return failures != 0;
}
