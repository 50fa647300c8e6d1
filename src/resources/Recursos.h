/* Resource ids of Kalvenor, shared by Kalvenor.rc and the C++ sources.
   Plain C preprocessor only, so that both the resource compilers (windres,
   rc) and the C++ compiler can read it. */
#ifndef KALVENOR_RECURSOS_H
#define KALVENOR_RECURSOS_H

/* The program's icon (Kalvenor.ico, one 48 x 48 image, 24-bit colour). It is
   the first icon of the executable, so the shell shows it for the file. */
#define IDI_KALVENOR 1

/* The about window's picture (Acerca.jpg, 77 x 72 baseline JPEG), stored as
   RCDATA. */
#define IDR_IMAGEN_ACERCA 101

#endif /* KALVENOR_RECURSOS_H */
