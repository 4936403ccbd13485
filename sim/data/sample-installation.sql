-- Sample installation of the talkback simulator: a school campus with a few dozen
-- terminals of every family, Chinese and English names, online and offline.
-- Loaded into empty tables at start-up (see README.md). UTF-8.
BEGIN;

-- Operator accounts (name, password, level).
INSERT INTO users(id, name, password, level) VALUES
  (1, 'admin', 'admin', 1),
  (2, 'operator', '123456', 1),
  (3, '值班员', '888888', 1);

-- Permission levels pushed after a login: type 4 advanced settings, 5 terminal operations.
INSERT INTO levels(id, name, lv, type) VALUES
  (1, '高级设置', 1, 4),
  (2, '终端操作', 1, 5);

-- System parameters (name, value): the recording and talk-log servers as address:port, the
-- silence time-out in seconds, the console title, and one the console does not use.
INSERT INTO parameter(name, value) VALUES
  ('Record_Server', '127.0.0.1:7801'),
  ('Talk_Log_Server', '127.0.0.1:7802'),
  ('Vad_Ptt_Time_Out', '600'),
  ('System_Name', '管理中心'),
  ('Max_Record_Days', '30');

-- IP amplifiers (type IP: temperature and loudspeaker supervision) and player terminals (type PT).
-- Columns: terminalId, type, status, work, name, ip, exten, ver, broVol, power, ampTemp, localTemp, speaker, input, masterId
INSERT INTO ipamp(terminalId, type, status, work, name, ip, exten, ver, broVol, power, ampTemp, localTemp, speaker, input, masterId) VALUES
  (1, 'IP', 1, '', '教学楼一楼走廊', '192.168.10.11', '--', 'V2.8.0', 40, 1, 46, 27, 1, 0, 0),
  (2, 'IP', 1, '', '教学楼二楼走廊', '192.168.10.12', '--', 'V3.1.9', 80, 1, 53, 26, 1, 0, 0),
  (3, 'IP', 2, '', '教学楼三楼走廊', '192.168.10.13', '0820', 'V3.2.1', 70, 1, 42, 25, 1, 0, 0),
  (4, 'IP', 1, '', 'Gym Hall', '192.168.10.14', '0820', 'V3.2.1', 40, 1, 38, 28, 1, 0, 0),
  (5, 'IP', 0, '', '操场东侧', '192.168.10.15', '--', 'V3.2.1', 80, 0, 0, 0, 1, 0, 0),
  (6, 'IP', 1, '', '操场西侧', '192.168.10.16', '--', 'V2.8.0', 50, 1, 37, 34, 1, 0, 0),
  (7, 'IP', 3, '', 'Library Reading Room', '192.168.10.17', '0917', 'V3.2.1', 70, 1, 37, 33, 0, 0, 0),
  (8, 'PT', 1, '', '图书馆大厅', '192.168.10.18', '0917', 'V3.2.1', 80, 1, 0, 27, 1, 0, 0),
  (9, 'IP', 0, '', '食堂一楼', '192.168.10.19', '--', 'V3.2.1', 80, 0, 0, 0, 1, 0, 0),
  (10, 'IP', 1, '', 'Canteen 2F', '192.168.10.20', '0917', 'V3.2.1', 40, 1, 54, 35, 1, 0, 0),
  (11, 'PT', 1, '', '行政楼会议室', '192.168.10.21', '--', 'V3.2.1', 80, 1, 0, 33, 1, 0, 0),
  (12, 'IP', 4, '', 'Main Gate', '192.168.10.22', '0917', 'V2.8.0', 70, 1, 42, 32, 2, 0, 0),
  (13, 'IP', 1, '', '宿舍A栋', '192.168.10.23', '0917', 'V3.1.9', 50, 1, 54, 32, 1, 0, 0),
  (14, 'IP', 5, '', 'Dormitory B', '192.168.10.24', '--', 'V3.2.1', 80, 1, 41, 36, 1, 0, 0),
  (15, 'IP', 1, '', '实验楼', '192.168.10.25', '0917', 'V2.8.0', 70, 1, 45, 33, 1, 0, 0),
  (16, 'PT', 0, '', 'Music Room', '192.168.10.26', '--', 'V3.1.9', 40, 0, 0, 0, 1, 0, 0),
  (17, 'IP', 1, '', '礼堂', '192.168.10.27', '0917', 'V3.2.1', 50, 1, 52, 31, 1, 0, 0),
  (18, 'IP', 2, '', 'Auditorium Backstage', '192.168.10.28', '--', 'V3.2.1', 80, 1, 51, 31, 1, 0, 0),
  (19, 'IP', 1, '', '停车场', '192.168.10.29', '0917', 'V3.1.9', 60, 1, 54, 37, 1, 0, 0),
  (20, 'IP', 1, '', 'Swimming Pool', '192.168.10.30', '--', 'V2.8.0', 40, 1, 55, 32, 1, 0, 0),
  (21, 'PT', 0, '', '校医室', '192.168.10.31', '0820', 'V3.1.9', 40, 0, 0, 0, 1, 0, 0),
  (22, 'IP', 1, '', 'Security Office', '192.168.10.32', '0820', 'V3.1.9', 60, 1, 37, 36, 1, 0, 0),
  (23, 'IP', 1, '', '', '192.168.10.33', '--', 'V3.1.9', 70, 1, 58, 31, 1, 0, 0),
  (24, 'IP', 1, '', '科技楼天台', '192.168.10.34', '0820', 'V3.2.1', 40, 1, 47, 27, 1, 0, 0),
  (10001, 'IP', 1, '', '教学楼一楼走廊-副机', '192.168.10.111', '--', 'V3.2.1', 60, 1, 41, 30, 1, 0, 1),
  (10002, 'IP', 0, '', 'Corridor 2F slave', '192.168.10.112', '--', 'V3.2.1', 60, 0, 0, 0, 1, 0, 2);
UPDATE ipamp SET warnTempThreshold = 70, fanTempThreshold = 55, maxVol = 90 WHERE terminalId IN (1, 2, 3, 4);
UPDATE ipamp SET isDefault = 1, defaultVolumn = 50, defaultPower = 1 WHERE terminalId IN (1, 2, 5);
UPDATE ipamp SET transportTcp = 1 WHERE terminalId IN (12, 22);

-- M35 paging microphones.
INSERT INTO mic35(terminalId, type, status, work, name, ip, exten, ver, capVol, callVol, bellVol, broVol, pttMode) VALUES
  (101, 'Mic35', 1, '', '校长室话筒', '192.168.20.11', '--', 'V2.1.4', 70, 80, 75, 85, 0),
  (102, 'Mic35', 2, '', '广播室主控', '192.168.20.12', '--', 'V2.1.4', 73, 80, 75, 85, 1),
  (103, 'Mic35', 1, '', 'Teacher Office', '192.168.20.13', '--', 'V2.1.4', 76, 80, 75, 85, 0),
  (104, 'Mic35', 0, '', '值班室', '192.168.20.14', '--', 'V2.1.4', 79, 80, 75, 85, 1),
  (105, 'Mic35', 4, '', 'Security Desk', '192.168.20.15', '--', 'V2.1.4', 82, 80, 75, 85, 0),
  (106, 'Mic35', 1, '', '教务处', '192.168.20.16', '--', 'V2.1.4', 85, 80, 75, 85, 1);

-- M26 two-button call stations.
INSERT INTO Mic26(terminalId, status, name, ver, ip, type, exten, ppt, aec, broVol, capVol, bellVol, callVol) VALUES
  (201, 1, '一号楼求助点', 'V1.3.0', '192.168.30.11', 'Mic26', '--', 1, 1, 80, 70, 80, 85),
  (202, 5, 'Gate Help Point', 'V1.3.0', '192.168.30.12', 'Mic26', '--', 0, 1, 80, 70, 80, 85),
  (203, 0, '地下车库', 'V1.3.0', '192.168.30.13', 'Mic26', '--', 1, 0, 80, 70, 80, 85),
  (204, 1, 'Playground Call', 'V1.3.0', '192.168.30.14', 'Mic26', '--', 0, 0, 80, 70, 80, 85),
  (205, 1, '', 'V1.3.0', '192.168.30.15', 'Mic26', '--', 1, 1, 80, 70, 80, 85);

-- M48 LED call stations.
INSERT INTO Mic48(terminalId, status, work, exten, name, ver, type, ip, broVol, capVol, bellVol, callVol, ledColor, switchMode, displayTime, ledTxt) VALUES
  (301, 1, '', '--', '大厅LED对讲', 'V1.1.2', 'Mic48', '192.168.31.11', 80, 75, 80, 80, 224, 1, 5, '欢迎光临'),
  (302, 7, '', '0917', 'Reception LED', 'V1.1.2', 'Mic48', '192.168.31.12', 80, 75, 80, 80, 28, 2, 6, 'Welcome'),
  (303, 0, '', '--', '', 'V1.1.2', 'Mic48', '192.168.31.13', 80, 75, 80, 80, 224, 3, 7, ''),
  (304, 1, '', '0917', '实验楼LED', 'V1.1.2', 'Mic48', '192.168.31.14', 80, 75, 80, 80, 28, 1, 8, '注意安全');

-- M37 mobile devices.
INSERT INTO m37(terminalId, type, status, work, name, ip, ver) VALUES
  (401, 'M37', 1, '', '保安巡逻机', '192.168.40.11', 'V1.0.3'),
  (402, 'M37', 0, '', 'Patrol Handset 2', '192.168.40.12', 'V1.0.3'),
  (403, 'M37', 1, '', '', '192.168.40.13', 'V1.0.1');

-- Audio capture boxes.
INSERT INTO capm59(terminalId, status, name, type, exten, ver, ip, capVol, capSamplerate) VALUES
  (501, 1, '礼堂采集', 'Cap', '--', 'V2.0.0', '192.168.50.11', 80, 32000),
  (502, 2, 'Radio Tuner', 'Cap', '--', 'V2.0.0', '192.168.50.12', 65, 24000),
  (503, 0, '', 'Cap', '--', 'V1.9.8', '192.168.50.13', 50, 16000);

-- Text-to-speech boxes.
INSERT INTO tts83(terminalId, status, name, ver, ip, type, exten) VALUES
  (601, 1, '语音合成一号', 'V1.2.0', '192.168.60.11', 'Tts', '--'),
  (602, 0, 'TTS Box 2', 'V1.2.0', '192.168.60.12', 'Tts', '--');

-- Fire-alarm interfaces; broadcast holds the channels as name#$%task pieces joined by !!!.
INSERT INTO firealarm(terminalId, type, status, name, ip, ver, shortCircuit, broadcast, broadcastTrigger, stopBroadcast, triggerType) VALUES
  (701, 'FAlarm', 1, '教学楼消防', '192.168.70.11', 'V1.0.5', 0, '一楼烟感#$%7!!!二楼烟感#$%7!!!!!!8', 0, 0, 2),
  (702, 'FAlarm', 1, 'Dormitory Fire Panel', '192.168.70.12', 'V1.0.5', 5, 'Pump#$%7!!!!!!12!!!', 1, 0, 1),
  (703, 'FAlarm', 0, '', '192.168.70.13', 'V1.0.4', 0, '!!!!!!!!!', 0, 0, 2);

-- M35 books: call book (contactType is the terminal type code: 2 Mic26, 3 Mic35, 4 Mic48, 6 IP, 8 M37).
INSERT INTO m35call(terminalId, contactId, contactType, orderId) VALUES
  (101, 102, 3, 1), (101, 201, 2, 2), (101, 301, 4, 3), (101, 1, 6, 4),
  (102, 101, 3, 1), (102, 401, 8, 2), (103, 101, 3, 1);
-- Transfer book (transferType 3 a microphone, 10 a call-service group).
INSERT INTO m35transfercall(terminalId, orderId, transferId, transferType) VALUES
  (101, 1, 102, 3), (101, 2, 1, 10), (102, 1, 103, 3);
-- Monitor list (monitorType 2 Mic26, 3 Mic35, 4 Mic48, 6 IP amplifier).
INSERT INTO m35monitor(terminalId, orderId, monitorId, monitorType) VALUES
  (101, 1, 201, 2), (101, 2, 3, 6), (102, 1, 12, 6);
INSERT INTO m35soundsource(terminalId, orderId, sourceId) VALUES
  (101, 1, 7), (101, 2, 8), (102, 1, 12);
INSERT INTO m35broadcast(terminalId, orderId, regionId) VALUES
  (101, 1, 1), (101, 2, 2), (102, 1, 3);

-- Button calls of the call stations.
INSERT INTO m26buttoncall(terminalId, startCall, stopCall, mic35Id, groupId) VALUES
  (201, 'ButtonPopUp', 'ButtonLongPress', 101, 0), (201, 'AlarmShortPress', 'AlarmLongPress', 102, 0),
  (201, 'Alarm2ShortPress', 'Alarm2LongPress', 0, 1), (201, 'BackupShortPress', 'BackupLongPress', 0, 0),
  (202, 'ButtonPopUp', 'ButtonLongPress', 105, 0), (202, 'AlarmShortPress', 'AlarmLongPress', 0, 2),
  (202, 'Alarm2ShortPress', 'Alarm2LongPress', 0, 0), (202, '', '', 0, 0);
INSERT INTO m48buttoncall(terminalId, startCall, stopCall, mic35Id, groupId) VALUES
  (301, 'ButtonPushDown', 'ButtonLongPress', 101, 0), (302, 'ButtonPushDown', 'ButtonLongPress', 0, 1);

-- Timer schemes: 1 is the default scheme and always exists.
INSERT INTO timerplan(timerplanId, name, enable, comment) VALUES
  (1, '默认方案', 1, '工作日作息'),
  (2, '周末作息', 1, 'Weekend timetable'),
  (3, '考试周', 0, '');

-- Sound-source tasks. Category 1 plans, 2 fire-alarm / manual (with targets),
-- 3 timer tasks (timerPlanId, week mask, executeTime as name#$%seconds joined
-- by !!!), 4 integration tasks. Source type 1 media files (@#$% between names),
-- 2 capture box id, 3 text to speak, 4 microphone. Tasks 7, 8 and 12 are the
-- ones the fire-alarm channels and microphone 101/102 name.
INSERT INTO soundsource(sourceId, name, status, sourceCategory, sourceType, timerPlanId, sourceContent, playVol,
                        duration, playTimes, openAmp, week, startDate, endDate, executeTime, terminalId) VALUES
  (1, '上课铃预案', 2, 1, 1, -1, '上课铃.mp3', 80, 0, 1, 0, 0, 0, 0, '', ''),
  (2, 'Evacuation notice', 2, 1, 3, -1, '请各位同学有序撤离到操场', 90, 60, 0, 0, 0, 0, 0, '', ''),
  (3, '采集盒直播', 2, 1, 2, -1, '501', 70, 300, 0, 0, 0, 0, 0, '', ''),
  (4, '话筒广播', 2, 1, 4, -1, '101', 75, 0, 1, 0, 0, 0, 0, '', ''),
  (7, '消防疏散广播', 2, 2, 1, -1, 'fire_alarm.mp3', 100, 0, 3, 0, 0, 0, 0, '', '1 2 3 4 5'),
  (8, '紧急通知', 1, 2, 3, -1, '紧急通知，请全体师生注意', 90, 120, 0, 0, 0, 0, 0, '', '6 7 8'),
  (12, 'Pump room alarm', 2, 2, 1, -1, 'alarm.mp3@#$%bell.mp3', 85, 0, 2, 0, 0, 0, 0, '', '9 10'),
  (20, '早操音乐', 2, 3, 1, 1, '早操.mp3', 70, 1200, 0, 10, 62, 1735689600, 0,
   '早操#$%23400!!!课间操#$%35400', '1 2 3 4 5 6'),
  (21, '午休铃', 2, 3, 1, 1, '午休.mp3@#$%起床铃.mp3', 60, 0, 1, 5, 62, 1735689600, 4102444800,
   '午休开始#$%43200!!!午休结束#$%50400', '1 2 3'),
  (22, 'Weekend wake-up', 2, 3, 1, 2, 'morning.mp3', 50, 0, 2, 0, 65, 1735689600, 0, 'Wake up#$%25200', '11 12'),
  (23, '', 2, 3, 1, 2, 'bell.mp3', 70, 0, 1, 0, 65, 1735689600, 0, '#$%28800', '12 15'),
  (30, '门禁联动', 2, 4, 1, -1, 'door.mp3', 70, 0, 1, 0, 0, 0, 0, '', '3 4');
-- Call-service groups of paging microphones (terminalId: member ids in order,
-- separated by blanks; callWaitRule 1 all ring .. 5 fixed order). Group 1 is
-- a transfer target of microphone 101, groups 1 and 2 are called by buttons.
INSERT INTO callservergroup(groupId, name, callWaitRule, ringTime, terminalId) VALUES
  (1, '值班组', 1, 60, '102 104'),
  (2, 'Security Team', 5, 45, '105 103 101'),
  (3, '教务组', 3, 30, '106');

-- Broadcast regions of player terminals and call stations (terminalId as above).
-- Regions 1-3 are in microphone books.
INSERT INTO region(regionId, name, terminalId) VALUES
  (1, '教学楼', '1 2 3 10001'),
  (2, 'Sports Area', '5 6 20 204'),
  (3, '宿舍区', '13 14 301 201'),
  (4, 'Empty Region', '');

COMMIT;
