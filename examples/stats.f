C=======================================================================
C     STATS -- the statistics routines of the SURVEY example.
C=======================================================================
C
C     AMEAN -- mean of the N readings X, gaps left out; BADVAL when
C     every reading is a gap.
C
      REAL FUNCTION AMEAN(X, N)
      INCLUDE 'consts.inc'
      INTEGER N
      REAL X(*)
      INTEGER I, M
      REAL S
      S = 0.0
      M = 0
      DO 10 I = 1, N
         IF (ABS(X(I) - BADVAL) .LT. TINY) GO TO 10
         S = S + X(I)
         M = M + 1
   10 CONTINUE
      IF (M .GT. 0) THEN
         AMEAN = S / REAL(M)
      ELSE
         AMEAN = BADVAL
      END IF
      RETURN
      END
C
C     ASTDEV -- sample standard deviation of the readings X around
C     their mean XM; BADVAL with fewer than two readings.
C
      REAL FUNCTION ASTDEV(X, N, XM)
      INCLUDE 'consts.inc'
      INTEGER N
      REAL X(*), XM
      INTEGER I, M
      DOUBLE PRECISION SS
      SS = 0.0D0
      M = 0
      DO 10 I = 1, N
         IF (ABS(X(I) - BADVAL) .LT. TINY) GO TO 10
         SS = SS + DBLE(X(I) - XM)**2
         M = M + 1
   10 CONTINUE
      ASTDEV = BADVAL
      IF (M .GE. 2) ASTDEV = REAL(SQRT(SS / DBLE(M - 1)))
      RETURN
      END
C
C     NGOOD -- number of the readings X that are not gaps.
C
      INTEGER FUNCTION NGOOD(X, N)
      INCLUDE 'consts.inc'
      INTEGER N
      REAL X(*)
      INTEGER I
      NGOOD = 0
      DO 10 I = 1, N
         IF (ABS(X(I) - BADVAL) .GE. TINY) NGOOD = NGOOD + 1
   10 CONTINUE
      END
C
C     GRADE -- grade of a station from its relative spread SD/XM:
C     FINE and FAIR up to the limits of /LIMITS/, POOR above them,
C     VOID when either figure is missing.
C
      CHARACTER*4 FUNCTION GRADE(SD, XM)
      INCLUDE 'consts.inc'
      REAL SD, XM
      REAL RFINE, RFAIR
      COMMON /LIMITS/ RFINE, RFAIR
      REAL R
      IF (ABS(SD - BADVAL) .LT. TINY .OR.
     1    ABS(XM - BADVAL) .LT. TINY) THEN
         GRADE = 'VOID'
         RETURN
      END IF
      R = SD / MAX(ABS(XM), TINY)
      IF (R .LE. RFINE) THEN
         GRADE = 'FINE'
      ELSE IF (R .LE. RFAIR) THEN
         GRADE = 'FAIR'
      ELSE
         GRADE = 'POOR'
      END IF
      END
C
C     SORTIX -- orders the index list IDX(1..N) by falling KEY
C     (a bubble sort that stops at the first pass without a swap).
C
      SUBROUTINE SORTIX(KEY, IDX, N)
!     A sort of at most MAXOBS keys: a local variant of the shared constant.
      INTEGER MAXOBS
      PARAMETER (MAXOBS = 24)
      INTEGER N, IDX(*)
      REAL KEY(*)
      INTEGER I, J, T
      LOGICAL SWAPPD
      DO 20 I = 1, N - 1
         SWAPPD = .FALSE.
         DO 10 J = 1, N - I
            IF (KEY(IDX(J)) .LT. KEY(IDX(J + 1))) THEN
               T = IDX(J)
               IDX(J) = IDX(J + 1)
               IDX(J + 1) = T
               SWAPPD = .TRUE.
            END IF
   10    CONTINUE
         IF (.NOT. SWAPPD) GO TO 30
   20 CONTINUE
   30 RETURN
      END
!
!     LIMDAT -- the grade limits.
!
      BLOCK DATA LIMDAT
!     The limits as one array: a second layout of the same block.
      INTEGER NLIM
      PARAMETER (NLIM = 2)
      REAL RLIM(NLIM)
      COMMON /LIMITS/ RLIM
      DATA RLIM / 0.05, 0.20 /
      END
