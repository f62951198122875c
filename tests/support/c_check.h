/* The check of the C test programs: a failed condition is reported with its place and counted
 * in `failures`, which the program returns. Include after <stdio.h>. */
#ifndef PATHLOOM_TESTS_C_CHECK_H
#define PATHLOOM_TESTS_C_CHECK_H

static int failures = 0;
#define CHECK(cond)                                                           \
    do {                                                                      \
        if (!(cond)) {                                                        \
            fprintf(stderr, "%s:%d: %s failed\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                       \
        }                                                                     \
    } while (0)

#endif
