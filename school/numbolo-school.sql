-- The class store of Numbolo: every pupil's play gathered in the school's PostgreSQL.
--
-- Run once, by the database's owner, in the database the [School] group of the pupils'
-- settings names:
--     createdb numbolo
--     psql -v ON_ERROR_STOP=1 -d numbolo -f numbolo-school.sql
-- Running it again changes nothing. Then each pupil's login is made a member of
-- numbolo_pupil and each teacher's of numbolo_teacher, and numbolo.teaches says which classes
-- each teacher reads:
--     createuser --role=numbolo_pupil maria
--     createuser --role=numbolo_teacher kdimou
--     psql -d numbolo -c "INSERT INTO numbolo.teaches VALUES ('kdimou', '3Β')"
--
-- Row-level security keeps every pupil's rows the pupil's own: a pupil's login adds rows under
-- its own name only (the column pupil is always the login, never what the game sends) and reads
-- only those; no pupil or teacher changes or deletes a row; a teacher reads the rows of the
-- classes numbolo.teaches gives it, and only its own lines of numbolo.teaches. Only the owner
-- of the tables writes numbolo.teaches and deletes rows.

SET client_min_messages = warning;
BEGIN;

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'numbolo_pupil') THEN
        CREATE ROLE numbolo_pupil NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'numbolo_teacher') THEN
        CREATE ROLE numbolo_teacher NOLOGIN;
    END IF;
END
$$;

CREATE SCHEMA IF NOT EXISTS numbolo;

-- One row per record of play, as the game recorded it: a game started ('game'), an exercise
-- ended ('exercise', with the targets shown, the working keys and every "=" pressed) or a game
-- ended ('end', with its result). `id` is made once by the game for each record, the same for
-- the same record however often it is sent: a record sent twice is stored once.
CREATE TABLE IF NOT EXISTS numbolo.record (
    pupil text NOT NULL DEFAULT current_user,
    profile text NOT NULL DEFAULT '',
    id uuid NOT NULL,
    class text NOT NULL,
    kind text NOT NULL CHECK (kind IN ('game', 'exercise', 'end')),
    at timestamptz NOT NULL,
    game text NOT NULL,
    exercises integer NOT NULL,
    target_range integer NOT NULL,
    seconds_per_exercise integer NOT NULL DEFAULT 180,
    keyboard_typing boolean NOT NULL DEFAULT false,
    number integer,
    level double precision,
    outcome text,
    seconds integer,
    targets integer,
    equals_presses integer,
    shown_targets text,
    keys text,
    operators text,
    presses jsonb,
    result integer,
    received timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (pupil, id)
);
CREATE INDEX IF NOT EXISTS record_class_kind_at ON numbolo.record (class, kind, at);
CREATE INDEX IF NOT EXISTS record_pupil_profile ON numbolo.record (pupil, profile, at);

-- Which classes each teacher reads.
CREATE TABLE IF NOT EXISTS numbolo.teaches (
    teacher text NOT NULL,
    class text NOT NULL,
    PRIMARY KEY (teacher, class)
);

ALTER TABLE numbolo.record ENABLE ROW LEVEL SECURITY;
ALTER TABLE numbolo.teaches ENABLE ROW LEVEL SECURITY;

DROP POLICY IF EXISTS pupil_adds ON numbolo.record;
DROP POLICY IF EXISTS pupil_reads ON numbolo.record;
DROP POLICY IF EXISTS teacher_reads ON numbolo.record;
DROP POLICY IF EXISTS teacher_own ON numbolo.teaches;
CREATE POLICY pupil_adds ON numbolo.record FOR INSERT TO numbolo_pupil WITH CHECK (pupil = current_user);
CREATE POLICY pupil_reads ON numbolo.record FOR SELECT TO numbolo_pupil USING (pupil = current_user);
CREATE POLICY teacher_reads ON numbolo.record FOR SELECT TO numbolo_teacher
    USING (class IN (SELECT t.class FROM numbolo.teaches t WHERE t.teacher = current_user));
CREATE POLICY teacher_own ON numbolo.teaches FOR SELECT TO numbolo_teacher USING (teacher = current_user);

REVOKE ALL ON SCHEMA numbolo FROM PUBLIC;
REVOKE ALL ON numbolo.record, numbolo.teaches FROM PUBLIC;
GRANT USAGE ON SCHEMA numbolo TO numbolo_pupil, numbolo_teacher;
-- A pupil gives every column but its own name and the time of arrival, which the server sets.
GRANT INSERT (profile, id, class, kind, at, game, exercises, target_range, seconds_per_exercise,
              keyboard_typing, number, level, outcome, seconds, targets, equals_presses,
              shown_targets, keys, operators, presses, result)
    ON numbolo.record TO numbolo_pupil;
GRANT SELECT ON numbolo.record TO numbolo_pupil, numbolo_teacher;
GRANT SELECT ON numbolo.teaches TO numbolo_teacher;

COMMIT;
