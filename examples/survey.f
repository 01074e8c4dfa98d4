C=======================================================================
C     SURVEY -- reduces a file of field survey readings.
C
C     Every station record holds an identifier, the height of the
C     station and a count of readings; the readings follow, six to a
C     line.  A reading equal to BADVAL is a gap.  The program prints
C     statistics and a grade for every station, highest mean first,
C     and a summary of the whole survey.
C
C     Build:  gfortran -ffixed-form -o survey survey.f stats.f
C     Run:    ./survey < survey.dat
C=======================================================================
      PROGRAM SURVEY
      INCLUDE 'consts.inc'
      REAL AVG(MAXSTN), SDV(MAXSTN)
      INTEGER NGRADE(4), KEEP(MAXSTN)
      REAL AMEAN, ASTDEV
      INTEGER NGOOD
      CHARACTER*4 GRADE, G
      EXTERNAL AMEAN, ASTDEV, NGOOD, GRADE
      INTEGER I, K, NKEEP
      REAL TOTAL
*
      CALL LOADST(NKEEP)
      IF (NKEEP .EQ. 0) GO TO 900
C
C     Statistics per station; AMEAN and ASTDEV leave the gaps out.
C
      DO 20 I = 1, NSTN
         AVG(I) = AMEAN(OBS(1, I), NOBS(I))
         SDV(I) = ASTDEV(OBS(1, I), NOBS(I), AVG(I))
   20 CONTINUE
C
C     Count the grades; keep the stations that have a reading at all.
C
      DO 30 K = 1, 4
         NGRADE(K) = 0
   30 CONTINUE
      NKEEP = 0
      TOTAL = 0.0
      DO 40 I = 1, NSTN
         IF (NGOOD(OBS(1, I), NOBS(I)) .EQ. 0) GO TO 40
         NKEEP = NKEEP + 1
         KEEP(NKEEP) = I
         TOTAL = TOTAL + AVG(I)
         G = GRADE(SDV(I), AVG(I))
         IF (G .EQ. 'FINE') THEN
            NGRADE(1) = NGRADE(1) + 1
         ELSE IF (G .EQ. 'FAIR') THEN
            NGRADE(2) = NGRADE(2) + 1
         ELSE IF (G .EQ. 'POOR') THEN
            NGRADE(3) = NGRADE(3) + 1
         ELSE
            NGRADE(4) = NGRADE(4) + 1
         END IF
   40 CONTINUE
*
      CALL SORTIX(AVG, KEEP, NKEEP)
      CALL REPORT(AVG, SDV, KEEP, NKEEP)
      IF (NKEEP .GT. 0) TOTAL = TOTAL / REAL(NKEEP)
      WRITE (LUOUT, 110) NKEEP, NSTN, TOTAL,
     &                   (NGRADE(K), K = 1, 4)
      STOP
  900 WRITE (LUOUT, 120)
      STOP 1
  110 FORMAT (/' STATIONS USED', I5, ' OF', I5,
     1        ',  SURVEY MEAN', F10.3
     2        /' FINE', I4, '  FAIR', I4, '  POOR', I4, '  VOID', I4)
  120 FORMAT (' NO STATION RECORDS READ')
      END
C-----------------------------------------------------------------------
C     LOADST -- reads the station records from unit LUIN into the
C     station table.  NREAD returns the number of stations stored.
C-----------------------------------------------------------------------
      SUBROUTINE LOADST(NREAD)
      INCLUDE 'consts.inc'
      INTEGER NREAD
      INTEGER N, J
      CHARACTER*8 ID
      REAL H, VALS(MAXOBS)
*
      NSTN = 0
      NREAD = 0
   10 READ (LUIN, 100, END=50, ERR=60) ID, H, N
      IF (N .LT. 0 .OR. N .GT. MAXOBS) GO TO 70
      IF (N .GT. 0) READ (LUIN, 101, END=60, ERR=60)
     &                   (VALS(J), J = 1, N)
      IF (NSTN .GE. MAXSTN) GO TO 80
      NSTN = NSTN + 1
      NREAD = NREAD + 1
      STNID(NSTN) = ID
      ELEV(NSTN) = H
      NOBS(NSTN) = N
      DO 20 J = 1, N
         OBS(J, NSTN) = VALS(J)
   20 CONTINUE
      GO TO 10
*     End of the input: the normal way out.
   50 RETURN
   60 WRITE (LUOUT, 102) NSTN + 1
      RETURN
   70 WRITE (LUOUT, 103) ID, N
      RETURN
   80 WRITE (LUOUT, 104) MAXSTN
      RETURN
  100 FORMAT (A8, F8.1, I4)
  101 FORMAT (6F8.2)
  102 FORMAT (' BAD INPUT AT RECORD', I5)
  103 FORMAT (' STATION ', A8, ' HAS A BAD READING COUNT', I6)
  104 FORMAT (' STATION TABLE FULL AT', I5, ' STATIONS')
      END
C-----------------------------------------------------------------------
C     REPORT -- prints one block per kept station, in the order of
C     KEEP: its statistics, then its readings six to a line.
C-----------------------------------------------------------------------
      SUBROUTINE REPORT(AVG, SDV, KEEP, NKEEP)
      INCLUDE 'consts.inc'
      INTEGER NKEEP, KEEP(*)
      REAL AVG(*), SDV(*)
      INTEGER I, J, K, L, NLINE, LPAGE
      CHARACTER*4 GRADE
      EXTERNAL GRADE
      REAL SPREAD
      SAVE LPAGE
      DATA LPAGE / 20 /
C     Statement function: spread of a station relative to its mean
C     (0 when the deviation is missing).
      SPREAD(K) = MAX(SDV(K), 0.0) / MAX(ABS(AVG(K)), TINY)
*
      NLINE = 0
      WRITE (LUOUT, 200)
      DO 60 J = 1, NKEEP
         I = KEEP(J)
         NLINE = NLINE + 1
         IF (NLINE .GT. LPAGE) THEN
            WRITE (LUOUT, 200)
            NLINE = 1
         END IF
         WRITE (LUOUT, 210) J, STNID(I), ELEV(I), AVG(I), SDV(I),
     +                      SPREAD(I), GRADE(SDV(I), AVG(I))
         DO 50 K = 1, NOBS(I), 6
            WRITE (LUOUT, 220) (OBS(L, I), L = K, MIN(K + 5, NOBS(I)))
   50    CONTINUE
   60 CONTINUE
      RETURN
  200 FORMAT (/'  RANK  STATION    HEIGHT      MEAN     SDEV',
     &        '  SPREAD  GRADE')
  210 FORMAT (1X, I5, 2X, A8, F9.1, 2F10.3, F8.3, 2X, A4)
  220 FORMAT (10X, 6F9.2)
      END
